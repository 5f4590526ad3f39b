// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "ui/dialogs/delay_time_dialog.h"

#include <QLineEdit>
#include <QPainter>

namespace vexo {

namespace {
const QRect kPromptLine1(14, 89, 196, 20);
const QRect kPromptLine2(14, 109, 196, 20);
} // namespace

CDelayTimeDialog::CDelayTimeDialog(SkinContext& skin, Prompter& prompter, QWidget* parent, std::optional<int> current)
    : CSkinDialog(skin, "/delay-time.png", "DelayTime Dialog Load background image failed!!!", prompter, parent) {
    if (current && *current >= 0) {
        m_strDelayText = QString::number(*current);
        m_nDelay = *current;
    }
}

void CDelayTimeDialog::CreateControls() {
    m_pDelayEdit = CreateEdit(kDelayEditId, kDelayEdit, true, true);
    m_pDelayEdit->setText(m_strDelayText);
    m_pDelayEdit->selectAll();
    connect(m_pDelayEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_strDelayText = text;
        m_nDelay = DecimalValue(text);
    });
    // Typing goes straight into the field.
    m_pDelayEdit->setFocus();
}

void CDelayTimeDialog::DrawContent(QPainter& canvas) {
    const int centred = Qt::AlignCenter | Qt::TextSingleLine;
    DrawPrompt(canvas, kPromptLine1, Localized("请输入一个延时", "請輸入一個延時", "Please enter a delay"), centred);
    DrawPrompt(canvas, kPromptLine2, Localized("(数值范围 10-10000)", "(數值範圍 10-10000)", "(value range 10-10000)"),
               centred);
}

} // namespace vexo
