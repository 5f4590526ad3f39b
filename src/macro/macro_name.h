// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstddef>
#include <string_view>

namespace vexo {

// Every reader of the macro list holds a name in 32 UTF-16 units with its terminator.
inline constexpr std::size_t kMaxMacroNameUnits = 31;

enum class MacroNameCheck {
    Ok,
    Empty,
    TooLong, // more than kMaxMacroNameUnits UTF-16 units
    NotStorable, // control characters, "[" or "]", or blanks at either end: the name would
    // not read back from record.ini as the same section name
};

// Whether a (UTF-8) name can be stored as a macro's section name. Length is counted in UTF-16
// units; a malformed byte counts as the one replacement character it would become.
MacroNameCheck CheckMacroName(std::string_view name);

// A readable English reason for a check result other than Ok.
std::string_view MacroNameProblem(MacroNameCheck check);

} // namespace vexo
