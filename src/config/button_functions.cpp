// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "config/button_functions.h"

#include <array>

#include "config/ui_texts.h"

namespace vexo {

namespace {
constexpr std::array<std::string UiTexts::*, kFunctionRows> kRowTexts{
    &UiTexts::m_strLeftClick, &UiTexts::m_strRightClick,  &UiTexts::m_strMidClick,  &UiTexts::m_strForward,
    &UiTexts::m_strBackward,  &UiTexts::m_strTripleClick, &UiTexts::m_strDpiSwitch, &UiTexts::m_strRgbOnOff,
    &UiTexts::m_strWindows,   &UiTexts::m_strMultimedia,  &UiTexts::m_strFireKey,   &UiTexts::m_strSingleKey,
    &UiTexts::m_strComboKey,  &UiTexts::m_strMacroKey,    &UiTexts::m_strShift,     &UiTexts::m_strKeyOff,
};

KeyMode OtherMode(KeyMode mode) { return mode == KeyMode::A ? KeyMode::B : KeyMode::A; }
} // namespace

std::string FunctionRowText(const UiTexts& texts, std::size_t row) {
    return row < kRowTexts.size() ? texts.*kRowTexts[row] : std::string();
}

std::string DpiSubFunctionText(std::uint8_t subFunction) {
    static constexpr std::array<const char*, 4> kNames{"DPI +", "DPI -", "DPI Loop", "Shift DPI"};
    return subFunction >= 1 && subFunction <= kNames.size() ? kNames[subFunction - 1] : "";
}

void StoreFunctionCode(ConfigRecord& record, KeyMode mode, std::size_t button, std::uint8_t row, ButtonLabels labels) {
    if (record.functionCode(mode, button) == function_code::Shift) {
        record.setFunctionCode(mode, button, row);
        record.setFunctionCode(OtherMode(mode), button, row);
        labels.other = labels.edited;
        return;
    }
    record.setFunctionCode(mode, button, row);
}

bool AssignShift(ConfigRecord& record, KeyMode mode, std::size_t button, const UiTexts& texts, ButtonLabels labels) {
    for (std::size_t b = 0; b < kEditableButtons; ++b)
        if (record.functionCode(mode, b) == function_code::Shift)
            return false;
    record.setFunctionCode(mode, button, function_code::Shift);
    record.setFunctionCode(OtherMode(mode), button, function_code::Shift);
    labels.edited = texts.m_strShift;
    labels.other = texts.m_strShift;
    return true;
}

bool AssignPlainFunction(ConfigRecord& record, KeyMode mode, std::size_t button, std::uint8_t row, const UiTexts& texts,
                         ButtonLabels labels) {
    using namespace function_code;
    switch (row) {
    case LeftClick:
    case RightClick:
    case MidClick:
    case Forward:
    case Backward:
    case TripleClick:
    case RgbOnOff:
    case KeyOff: break;
    default: return false;
    }
    labels.edited = FunctionRowText(texts, row);
    StoreFunctionCode(record, mode, button, row, labels);
    return true;
}

bool AssignDpiFunction(ConfigRecord& record, KeyMode mode, std::size_t button, std::uint8_t subFunction,
                       std::string& edited) {
    const std::string name = DpiSubFunctionText(subFunction);
    if (name.empty())
        return false;
    edited = name;
    record.setFunctionCode(mode, button, function_code::DpiSwitch);
    record.dpiSubFunctions(mode)[button] = subFunction;
    return true;
}

} // namespace vexo
