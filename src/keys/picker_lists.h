// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>
#include <span>
#include <string_view>

#include "keys/key_code.h"
#include "keys/localized_text.h"

namespace vexo {

// The fixed lists of the fire-key, multimedia and Windows-function pickers: list index to the
// code stored in the configuration record. Every index past the end of a list gives 0 (negative
// indexes too), and 0 is stored like any other code.

inline constexpr int kFireKeyRowCount = 61;
inline constexpr int kMediaRowCount = 7;
inline constexpr int kWindowsFunctionRowCount = 11;

// Fire-key list: "A".."Z", "1".."0", "L-CTRL" ... "R-ALT", "F1".."F12", "L-Button" ... "R-Tilt Wheel".
KeyCode FireKeyIndexToCode(int index);
// The row's display text (the same in every language); empty past the end.
std::string_view FireKeyText(int index);

// Multimedia list: the one-byte Consumer page usage of the row (0xB5 "Next" ... 0xEA "Vol-").
std::uint8_t MediaIndexToCode(int index);
std::span<const LocalizedText, kMediaRowCount> MediaTexts();

// Windows-function list: the Consumer page usage of a row is stored as its low byte plus a page
// class, 0x01 for the application-launch rows 0-3 and 0x02 for the application-control rows 4-10.
std::uint8_t WindowsFunctionIndexToCode(int index);
std::uint8_t WindowsFunctionPageClass(int index);
std::span<const LocalizedText, kWindowsFunctionRowCount> WindowsFunctionTexts();

} // namespace vexo
