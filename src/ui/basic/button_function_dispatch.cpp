// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "ui/basic/button_function_dispatch.h"

#include "config/button_functions.h"
#include "config/button_parameters.h"
#include "ui/dialogs/function_dialogs.h"

namespace vexo {

void ButtonFunctionDispatch::AssignButtonFunction(int row, std::size_t button, KeyMode mode, std::string& edited,
                                                  std::string& other) {
    if (row < 0 || row >= static_cast<int>(kFunctionRows) || button >= kEditableButtons)
        return;
    const auto code = static_cast<std::uint8_t>(row);
    const ButtonLabels labels{edited, other};
    // Each dialog is asked only for its own row; its result is stored only after OK.
    switch (code) {
    case function_code::Shift: AssignShift(record_, mode, button, texts_, labels); return;
    case function_code::Windows:
        if (const auto pick = dialogs_.AskWindowsFunction())
            AssignWindowsFunction(record_, mode, button, *pick, labels);
        return;
    case function_code::Multimedia:
        if (const auto pick = dialogs_.AskMultimedia())
            AssignMultimedia(record_, mode, button, *pick, texts_, labels);
        return;
    case function_code::FireKey:
        if (const auto pick = dialogs_.AskFireKey())
            AssignFireKey(record_, mode, button, *pick, texts_, labels);
        return;
    case function_code::SingleKey:
        if (const auto name = dialogs_.AskSingleKey())
            AssignSingleKey(record_, mode, button, *name, texts_, labels);
        return;
    case function_code::ComboKey:
        if (const auto pick = dialogs_.AskComboKey())
            AssignComboKey(record_, mode, button, *pick, texts_, labels);
        return;
    case function_code::MacroKey:
        if (const auto pick = dialogs_.AskMacroKey())
            AssignMacroKey(record_, mode, button, *pick, texts_, labels);
        return;
    default:
        // Rows 0-5, 7 and 15; row 6 is completed by the page's own list and changes nothing here.
        AssignPlainFunction(record_, mode, button, code, texts_, labels);
        return;
    }
}

} // namespace vexo
