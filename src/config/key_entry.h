// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

#include "config/config_record.h"

namespace vexo {

// Four bytes that tell the mouse what one button does: type, then three parameters.
using KeyEntryBytes = std::array<std::uint8_t, 4>;

// One 64-byte key matrix: sixteen key entries, byte 0 of each first.
using KeyMatrix = std::array<std::uint8_t, 64>;
inline constexpr std::size_t kKeyMatrices = 4;

// The key entry of a button (0-11) in a mode, from its function code and the fields that function
// uses; a function code above 15 gives the empty entry 00 00 00 00.
KeyEntryBytes KeyEntry(const ConfigRecord& record, KeyMode mode, std::size_t button);

// The four key matrices the mouse takes: matrix 1 from mode A, matrix 3 from mode B (buttons 0-7,
// with buttons 3 and 4 trading places), fixed entries at positions 8, 14 and 15; matrices 2 and 4
// all zero.
std::array<KeyMatrix, kKeyMatrices> KeyMatrixImage(const ConfigRecord& record);

// The factory button functions in both modes: left, right, middle, forward, backward, DPI +,
// DPI -, the single key V, key off for buttons 0-8. Every other byte stays as it is.
void RestoreKeyDefaults(ConfigRecord& record);

} // namespace vexo
