// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>
#include <string>

namespace vexo {

// Qt reports a key's native scan code as the XKB keycode, on X11 and on Wayland alike, and XKB
// keycodes are the kernel's evdev codes plus this offset. Callers subtract it before KeyNameOf:
//     KeyNameOf(event->nativeScanCode() - kXkbKeycodeOffset)   (when nativeScanCode() >= 8)
inline constexpr std::uint32_t kXkbKeycodeOffset = 8;

// The stored name of the physical key with this evdev code (numbering of the kernel's input event
// codes). Keys the key name table knows get exactly its English name ("Esc", "Prnt Scrn",
// "Num Enter", "Ctrl", "Right Alt", "Right Windows" ...), whatever keyboard layout is selected,
// since the code names a position, not a character. Every other key gets a readable name that is
// not in the table, so it converts to code 0 ("F13", "Application", "Key 250"). Never empty.
//
// Two table rows have no key of their own here: "Eurpo(Note 2)" (the kernel reports the non-US
// hash key as the backslash key, code 43, so it is named "\") and none of the mouse buttons come
// from a keyboard; the mouse-button evdev codes 0x110-0x112 are still named "L-Button",
// "R-Button" and "M-Button" for callers that see pointer buttons.
std::string KeyNameOf(std::uint32_t evdevCode);

} // namespace vexo
