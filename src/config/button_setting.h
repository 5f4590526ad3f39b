// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "config/settings_state.h"

namespace vexo {

// The value syntax of one button's function in the settings vocabulary: "left-click",
// "dpi:loop", "single-key:B", "combo-key:Left Ctrl+Shift+Z", "macro:Reload/until-released" ...

// What the values may be, as one line for messages.
extern const char* const kButtonSettingValues;

// The function of button (0-7) in mode as its value. Codes or rows no list has come out as
// "code-N", "row-N" or "slot-N", which set refuses.
std::string FormatButtonSetting(const SettingsState& state, KeyMode mode, std::size_t button);

// Gives button (0-7) in mode the function value names, through the helpers the window's function
// dispatch uses, labels in the state's language included. Returns the reason (with what is
// allowed) when the value is refused; state is then unchanged.
std::optional<std::string> AssignButtonSetting(SettingsState& state, KeyMode mode, std::size_t button,
                                               std::string_view value);

} // namespace vexo
