// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include "ui/dialogs/function_dialogs.h"

class QWidget;

namespace vexo {

class FileLocations;
class KeyboardHook;
class Prompter;
class SkinContext;

// The skinned key-assignment dialogs (CWindowsDialog, CMediaDialog, CFireKeyDialog, CSingleDialog,
// CComboDialog, CMacroDialog), each built for one question, shown modally over the parent window
// and destroyed afterwards. The macro names come from the user's record.ini in locations.
class SkinFunctionDialogs final : public FunctionDialogs {
public:
    // Everything must outlive this object; parent may be null (the dialogs are then centred on
    // the screen).
    SkinFunctionDialogs(QWidget* parent, SkinContext& skin, Prompter& prompter, KeyboardHook& hook,
                        const FileLocations& locations)
        : parent_(parent), skin_(skin), prompter_(prompter), hook_(hook), locations_(locations) {}

    std::optional<ListPick> AskWindowsFunction() override;
    std::optional<ListPick> AskMultimedia() override;
    std::optional<FireKeyPick> AskFireKey() override;
    std::optional<std::string> AskSingleKey() override;
    std::optional<ComboPick> AskComboKey() override;
    std::optional<MacroPick> AskMacroKey() override;

private:
    QWidget* parent_;
    SkinContext& skin_;
    Prompter& prompter_;
    KeyboardHook& hook_;
    const FileLocations& locations_;
};

} // namespace vexo
