// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "ui/dialogs/skin_function_dialogs.h"

#include "config/file_locations.h"
#include "ui/dialogs/combo_dialog.h"
#include "ui/dialogs/fire_key_dialog.h"
#include "ui/dialogs/macro_dialog.h"
#include "ui/dialogs/media_dialog.h"
#include "ui/dialogs/single_dialog.h"
#include "ui/dialogs/windows_dialog.h"

namespace vexo {

namespace {
std::optional<ListPick> PickOf(CPickerDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return ListPick{dialog.m_nIndex, dialog.m_strChoice.toStdString()};
}
} // namespace

std::optional<ListPick> SkinFunctionDialogs::AskWindowsFunction() {
    CWindowsDialog dialog(skin_, prompter_, parent_);
    return PickOf(dialog);
}

std::optional<ListPick> SkinFunctionDialogs::AskMultimedia() {
    CMediaDialog dialog(skin_, prompter_, parent_);
    return PickOf(dialog);
}

std::optional<FireKeyPick> SkinFunctionDialogs::AskFireKey() {
    CFireKeyDialog dialog(skin_, prompter_, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return FireKeyPick{dialog.m_nKeyIndex, dialog.m_strKeyText.toStdString(), dialog.m_nSpeed, dialog.m_nTimes};
}

std::optional<std::string> SkinFunctionDialogs::AskSingleKey() {
    CSingleDialog dialog(skin_, hook_, prompter_, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.m_strKeyName.toStdString();
}

std::optional<ComboPick> SkinFunctionDialogs::AskComboKey() {
    CComboDialog dialog(skin_, hook_, prompter_, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return ComboPick{dialog.m_strModifier.toStdString(), dialog.m_strKey1.toStdString(),
                     dialog.m_strKey2.toStdString()};
}

std::optional<MacroPick> SkinFunctionDialogs::AskMacroKey() {
    CMacroDialog dialog(skin_, locations_.recordIni(), prompter_, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return MacroPick{dialog.m_nIndex, dialog.m_nRepeatChoice, dialog.m_strChoice.toStdString()};
}

} // namespace vexo
