// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

#include "config/profile_ini.h"

namespace vexo {

// The key of a macro's line: "Item0", "Item1", ...
std::string ItemKey(std::size_t index);

// One macro's section of the store, read in a single pass, with the lookups of the store's
// rules: key names without regard to letter case, the first of two equal keys wins, a missing key
// reads as empty text, values limited to 1023 characters.
class MacroSection {
public:
    MacroSection(const ProfileIni& store, std::string_view name);

    std::string value(std::string_view key) const;
    // The line "Item<index>", empty when missing.
    std::string line(std::size_t index) const;
    // One past the highest line index present ("Item7" present: 8); every line from here on is
    // missing and reads as empty. 0 when there are no lines.
    std::size_t lineBound() const { return lineBound_; }

private:
    std::unordered_map<std::string, std::string> values_; // lower-case key -> value
    std::size_t lineBound_ = 0;
};

} // namespace vexo
