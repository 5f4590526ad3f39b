// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>
#include <span>
#include <string_view>

#include "keys/key_code.h"

namespace vexo {

// The key names the program stores (button labels, record.ini lines) and their codes. The names
// are the English ones of the Windows key-name service, so files move between the two systems.
struct KeyNameRow {
    std::string_view name;
    KeyCode code;
};

inline constexpr std::size_t kKeyNameRowCount = 107;

// All rows in their fixed order (letters, digits, ..., mouse buttons). Names are unique.
std::span<const KeyNameRow, kKeyNameRowCount> KeyNameTable();

// The code of a key name: exact, case-sensitive match of the whole (UTF-8) text; 0 when the table
// has no such name ("a", "Left Ctrl" and "" all give 0).
KeyCode KeyNameToCode(std::string_view name);

// The HID keyboard modifier bit of one of the eight combo modifier names ("Left Ctrl" 0x01 ...
// "Right Win" 0x80); 0 for any other text.
std::uint8_t ModifierNameToBits(std::string_view name);

} // namespace vexo
