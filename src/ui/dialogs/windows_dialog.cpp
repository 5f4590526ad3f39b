// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "ui/dialogs/windows_dialog.h"

#include "keys/picker_lists.h"

namespace vexo {

CWindowsDialog::CWindowsDialog(SkinContext& skin, Prompter& prompter, QWidget* parent)
    : CPickerDialog(skin, "/windows-key.png", "Windows Dialog Load background image failed!!!", kLayout, prompter,
                    parent) {}

QStringList CWindowsDialog::LoadRows() {
    QStringList rows;
    for (const LocalizedText& text : WindowsFunctionTexts())
        rows << Localized(text);
    return rows;
}

} // namespace vexo
