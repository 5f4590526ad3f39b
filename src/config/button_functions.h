// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "config/config_record.h"

namespace vexo {

struct UiTexts;

// The rules that give a button a function from the basic page's function list, on the edited
// record and the button's two labels. The list's row is the function code (function_code::*).
inline constexpr std::size_t kFunctionRows = 16;
// Buttons the basic page shows and edits (of the record's twelve).
inline constexpr std::size_t kEditableButtons = 8;

// The text of function list row 0-15 in the current language; empty for any other row.
std::string FunctionRowText(const UiTexts& texts, std::size_t row);

// The literal names of the DPI Switch sub-functions 1-4 ("DPI +", "DPI -", "DPI Loop",
// "Shift DPI"), the same in every language; empty for any other value.
std::string DpiSubFunctionText(std::uint8_t subFunction);

// A button's two labels: the one of the mode being edited and the one of the other mode.
struct ButtonLabels {
    std::string& edited;
    std::string& other;
};

// Stores row as the function of button in mode. A button that was Shift was Shift in both modes,
// so it leaves Shift in both: the code is written to both tables and the other label takes the
// edited one. Labels must already name the new function.
void StoreFunctionCode(ConfigRecord& record, KeyMode mode, std::size_t button, std::uint8_t row, ButtonLabels labels);

// Row 14: one Shift button per mode. Returns false and changes nothing when one of buttons 0-7
// of mode already is Shift; otherwise makes button Shift in both modes with both labels "Shift".
bool AssignShift(ConfigRecord& record, KeyMode mode, std::size_t button, const UiTexts& texts, ButtonLabels labels);

// The rows that are whole functions without parameters (0-5, 7, 15): the edited label becomes the
// row's text and the code is stored. Returns false for any other row, changing nothing.
bool AssignPlainFunction(ConfigRecord& record, KeyMode mode, std::size_t button, std::uint8_t row, const UiTexts& texts,
                         ButtonLabels labels);

// Row 6, completed by a DPI sub-function 1-4: the code and sub-function of this mode only, and the
// edited label becomes the sub-function's name. Returns false for any other sub-function, changing
// nothing.
bool AssignDpiFunction(ConfigRecord& record, KeyMode mode, std::size_t button, std::uint8_t subFunction,
                       std::string& edited);

} // namespace vexo
