#include "ui/skin_function_dialogs.h"

#include "config/file_locations.h"
#include "ui/combo_dialog.h"
#include "ui/fire_key_dialog.h"
#include "ui/macro_dialog.h"
#include "ui/media_dialog.h"
#include "ui/single_dialog.h"
#include "ui/windows_dialog.h"

namespace vexo {

namespace {
std::optional<ListPick> PickOf(CPickerDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return ListPick{dialog.m_nIndex, dialog.m_strChoice.toStdString()};
}
} // namespace

std::optional<ListPick> SkinFunctionDialogs::AskWindowsFunction()
{
    CWindowsDialog dialog(prompter_, parent_);
    return PickOf(dialog);
}

std::optional<ListPick> SkinFunctionDialogs::AskMultimedia()
{
    CMediaDialog dialog(prompter_, parent_);
    return PickOf(dialog);
}

std::optional<FireKeyPick> SkinFunctionDialogs::AskFireKey()
{
    CFireKeyDialog dialog(prompter_, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return FireKeyPick{dialog.m_nKeyIndex, dialog.m_strKeyText.toStdString(), dialog.m_nSpeed, dialog.m_nTimes};
}

std::optional<std::string> SkinFunctionDialogs::AskSingleKey()
{
    CSingleDialog dialog(hook_, prompter_, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.m_strKeyName.toStdString();
}

std::optional<ComboPick> SkinFunctionDialogs::AskComboKey()
{
    CComboDialog dialog(hook_, prompter_, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return ComboPick{dialog.m_strModifier.toStdString(), dialog.m_strKey1.toStdString(), dialog.m_strKey2.toStdString()};
}

std::optional<MacroPick> SkinFunctionDialogs::AskMacroKey()
{
    CMacroDialog dialog(locations_.recordIni(), prompter_, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return MacroPick{dialog.m_nIndex, dialog.m_nRepeatChoice, dialog.m_strChoice.toStdString()};
}

} // namespace vexo
