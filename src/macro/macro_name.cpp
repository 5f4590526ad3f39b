// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "macro/macro_name.h"

#include "config/utf_text.h"

namespace vexo {

MacroNameCheck CheckMacroName(std::string_view name) {
    if (name.empty())
        return MacroNameCheck::Empty;
    if (utf::utf16Length(utf::sanitize(name)) > kMaxMacroNameUnits)
        return MacroNameCheck::TooLong;
    if (name.front() == ' ' || name.back() == ' ')
        return MacroNameCheck::NotStorable;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '[' || c == ']')
            return MacroNameCheck::NotStorable;
    }
    return MacroNameCheck::Ok;
}

std::string_view MacroNameProblem(MacroNameCheck check) {
    switch (check) {
    case MacroNameCheck::Ok: return {};
    case MacroNameCheck::Empty: return "the macro name is empty";
    case MacroNameCheck::TooLong: return "the macro name is longer than 31 characters";
    case MacroNameCheck::NotStorable:
        return "the macro name contains a bracket or a control character, or begins or ends with a blank";
    }
    return "the macro name cannot be stored";
}

} // namespace vexo
