// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QString>
#include <optional>

#include "ui/dialogs/skin_dialog.h"

class QLineEdit;

namespace vexo {

class SkinContext;

// Asks for one delay in milliseconds (a macro line's delay). The dialog takes the digits as typed
// and does not check the range 10-10000 it asks for; the caller decides what an out-of-range
// value means. Enter confirms, Escape cancels.
//
//     CDelayTimeDialog dialog(prompter, parent, 50);
//     if (dialog.exec() == QDialog::Accepted) use(dialog.m_nDelay, dialog.m_strDelayText);
class CDelayTimeDialog final : public CSkinDialog {
    Q_OBJECT
public:
    static constexpr int kDelayEditId = 600;
    static constexpr Region kDelayEdit{74, 129, 150, 143};

    // current: the delay to start from, shown in the field (its text and value are then also the
    // result of an OK without typing); nothing leaves the field empty (value 0).
    explicit CDelayTimeDialog(SkinContext& skin, Prompter& prompter, QWidget* parent = nullptr,
                              std::optional<int> current = std::nullopt);

    // The field's decimal value (0 when empty; values beyond INT_MAX read as INT_MAX) and its text.
    int m_nDelay = 0;
    QString m_strDelayText;

protected:
    void CreateControls() override;
    void DrawContent(QPainter& canvas) override;

private:
    QLineEdit* m_pDelayEdit = nullptr;
};

} // namespace vexo
