// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>

namespace vexo {

// One byte that names a key for the mouse: a Keyboard/Keypad page usage (0x04..0xE7) or one of the
// mouse-button codes 0xF0..0xF6. 0 means "no key" and is what every unknown name or index gives.
using KeyCode = std::uint8_t;

// Mouse buttons and wheel tilts that can stand where a key stands.
inline constexpr KeyCode kKeyLeftButton = 0xF0;
inline constexpr KeyCode kKeyRightButton = 0xF1;
inline constexpr KeyCode kKeyMiddleButton = 0xF2;
inline constexpr KeyCode kKeyButton4 = 0xF3;
inline constexpr KeyCode kKeyButton5 = 0xF4;
inline constexpr KeyCode kKeyLeftTilt = 0xF5;
inline constexpr KeyCode kKeyRightTilt = 0xF6;

} // namespace vexo
