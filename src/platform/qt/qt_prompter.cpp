// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/qt/qt_prompter.h"

#include <QMessageBox>
#include <QString>

namespace vexo {

void QtPrompter::message(const std::string& text, const std::string& caption) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption), QString::fromStdString(text), QMessageBox::Ok,
                    parent_);
    // Texts are fixed messages, never markup; a "<" in one must show as it is.
    box.setTextFormat(Qt::PlainText);
    if (!icon_.isNull())
        box.setWindowIcon(icon_);
    box.exec();
}

} // namespace vexo
