// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "config/button_parameters.h"

#include "config/ui_texts.h"
#include "keys/key_name_table.h"
#include "keys/picker_lists.h"

namespace vexo {

namespace {

// A list index as the one byte the table keeps; the dialogs only give rows of their lists, so
// anything else is stored as row 0 rather than wrapped onto some other row.
std::uint8_t IndexByte(int index) { return index >= 0 && index <= 0xFF ? static_cast<std::uint8_t>(index) : 0; }

void SetField(ConfigRecord& record, KeyMode mode, ButtonArray field, std::size_t button, std::uint8_t value) {
    record.buttons(mode, field)[button] = value;
}

} // namespace

std::string CombinationText(const ComboPick& pick) {
    std::string text;
    const auto join = [&text](const std::string& part) {
        if (!text.empty())
            text += '+';
        text += part;
    };
    if (ModifierNameToBits(pick.modifier) != 0)
        join(pick.modifier);
    if (KeyNameToCode(pick.key1) != 0)
        join(pick.key1);
    if (KeyNameToCode(pick.key2) != 0)
        join(pick.key2);
    return text;
}

void AssignWindowsFunction(ConfigRecord& record, KeyMode mode, std::size_t button, const ListPick& pick,
                           ButtonLabels labels) {
    SetField(record, mode, ButtonArray::WinFuncIndex, button, IndexByte(pick.index));
    SetField(record, mode, ButtonArray::WinFuncCode, button, WindowsFunctionIndexToCode(pick.index));
    SetField(record, mode, ButtonArray::WinFuncPage, button, WindowsFunctionPageClass(pick.index));
    labels.edited = pick.text;
    StoreFunctionCode(record, mode, button, function_code::Windows, labels);
}

void AssignMultimedia(ConfigRecord& record, KeyMode mode, std::size_t button, const ListPick& pick,
                      const UiTexts& texts, ButtonLabels labels) {
    SetField(record, mode, ButtonArray::MediaIndex, button, IndexByte(pick.index));
    SetField(record, mode, ButtonArray::MediaCode, button, MediaIndexToCode(pick.index));
    labels.edited = texts.m_strMultimedia + "-" + pick.text;
    StoreFunctionCode(record, mode, button, function_code::Multimedia, labels);
}

void AssignFireKey(ConfigRecord& record, KeyMode mode, std::size_t button, const FireKeyPick& pick,
                   const UiTexts& texts, ButtonLabels labels) {
    SetField(record, mode, ButtonArray::FireKeyIndex, button, IndexByte(pick.keyIndex));
    SetField(record, mode, ButtonArray::FireKeyCode, button, FireKeyIndexToCode(pick.keyIndex));
    SetField(record, mode, ButtonArray::FireSpeed, button, pick.speed);
    SetField(record, mode, ButtonArray::FireTimes, button, pick.times);
    labels.edited = texts.m_strFireKey + "-" + pick.keyText;
    StoreFunctionCode(record, mode, button, function_code::FireKey, labels);
}

void AssignSingleKey(ConfigRecord& record, KeyMode mode, std::size_t button, const std::string& keyName,
                     const UiTexts& texts, ButtonLabels labels) {
    SetField(record, mode, ButtonArray::SingleKeyCode, button, KeyNameToCode(keyName));
    labels.edited = texts.m_strSingleKey + "-" + keyName;
    StoreFunctionCode(record, mode, button, function_code::SingleKey, labels);
}

void AssignComboKey(ConfigRecord& record, KeyMode mode, std::size_t button, const ComboPick& pick, const UiTexts& texts,
                    ButtonLabels labels) {
    SetField(record, mode, ButtonArray::ComboModifiers, button, ModifierNameToBits(pick.modifier));
    SetField(record, mode, ButtonArray::ComboKey1, button, KeyNameToCode(pick.key1));
    SetField(record, mode, ButtonArray::ComboKey2, button, KeyNameToCode(pick.key2));
    labels.edited = texts.m_strComboKey + "-" + CombinationText(pick);
    StoreFunctionCode(record, mode, button, function_code::ComboKey, labels);
}

void AssignMacroKey(ConfigRecord& record, KeyMode mode, std::size_t button, const MacroPick& pick, const UiTexts& texts,
                    ButtonLabels labels) {
    const int choice = pick.repeatChoice >= 1 && pick.repeatChoice <= 3 ? pick.repeatChoice : 1;
    SetField(record, mode, ButtonArray::MacroSlot, button, IndexByte(pick.slot));
    SetField(record, mode, ButtonArray::MacroRepeatMode, button, static_cast<std::uint8_t>(choice - 1));
    labels.edited = texts.m_strMacroKey + "-" + pick.name;
    StoreFunctionCode(record, mode, button, function_code::MacroKey, labels);
}

} // namespace vexo
