// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "ui/dialogs/media_dialog.h"

#include "keys/picker_lists.h"

namespace vexo {

CMediaDialog::CMediaDialog(SkinContext& skin, Prompter& prompter, QWidget* parent)
    : CPickerDialog(skin, "/media-key.png", "Media Dialog Load background image failed!!!", kLayout, prompter, parent) {
}

QStringList CMediaDialog::LoadRows() {
    QStringList rows;
    for (const LocalizedText& text : MediaTexts())
        rows << Localized(text);
    return rows;
}

} // namespace vexo
