// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "config/button_functions.h"
#include "config/config_record.h"

namespace vexo {

struct UiTexts;

// What the key-assignment dialogs hand back when they end with OK, and how each result is stored
// for a button: the function's parameter fields of the edited mode's table, the edited label, and
// the function code (through StoreFunctionCode, so a button that was Shift leaves Shift in both
// modes). Texts are UTF-8. A cancelled dialog has no result, and nothing here is called for it.

// A row of a fixed list (Windows functions, multimedia keys) and its text as shown.
struct ListPick {
    int index = 0;
    std::string text;
};

// Fire key: the row of the fire-key list, its text, speed 5-255 (smaller is faster) and times
// 0-255 (0 repeats until the button is released).
struct FireKeyPick {
    int keyIndex = 0;
    std::string keyText;
    std::uint8_t speed = 32;
    std::uint8_t times = 1;
};

// Combo key: one of the eight modifier names and two key names; each may be empty.
struct ComboPick {
    std::string modifier;
    std::string key1;
    std::string key2;
};

// Macro key: the macro's slot (position in record.ini), the repeat choice 1-3 of the dialog and
// the macro's name.
struct MacroPick {
    int slot = 0;
    int repeatChoice = 1;
    std::string name;
};

// The combination as the label shows it: the names joined by "+", where a key counts only when
// the key table knows it and the modifier only when it is one of the eight modifier names
// ("Left Ctrl" + "C" + nothing gives "Left Ctrl+C"; nothing known gives "").
std::string CombinationText(const ComboPick& pick);

// Row 8: WinFuncIndex, WinFuncCode and WinFuncPage; the label is the function's text alone.
void AssignWindowsFunction(ConfigRecord& record, KeyMode mode, std::size_t button, const ListPick& pick,
                           ButtonLabels labels);
// Row 9: MediaIndex and MediaCode; label m_strMultimedia + "-" + the item's text.
void AssignMultimedia(ConfigRecord& record, KeyMode mode, std::size_t button, const ListPick& pick,
                      const UiTexts& texts, ButtonLabels labels);
// Row 10: FireKeyIndex, FireKeyCode, FireSpeed, FireTimes; label m_strFireKey + "-" + key text.
void AssignFireKey(ConfigRecord& record, KeyMode mode, std::size_t button, const FireKeyPick& pick,
                   const UiTexts& texts, ButtonLabels labels);
// Row 11: SingleKeyCode of the key name (0 for a name the key table lacks); label
// m_strSingleKey + "-" + the name.
void AssignSingleKey(ConfigRecord& record, KeyMode mode, std::size_t button, const std::string& keyName,
                     const UiTexts& texts, ButtonLabels labels);
// Row 12: ComboModifiers, ComboKey1, ComboKey2; label m_strComboKey + "-" + CombinationText.
void AssignComboKey(ConfigRecord& record, KeyMode mode, std::size_t button, const ComboPick& pick, const UiTexts& texts,
                    ButtonLabels labels);
// Row 13: MacroSlot and MacroRepeatMode (repeat choice - 1; a choice outside 1-3 counts as 1);
// label m_strMacroKey + "-" + the macro's name. A slot outside 0-255 is stored as 0.
void AssignMacroKey(ConfigRecord& record, KeyMode mode, std::size_t button, const MacroPick& pick, const UiTexts& texts,
                    ButtonLabels labels);

} // namespace vexo
