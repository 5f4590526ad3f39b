// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/settings_state.h"

namespace vexo {

// One "NAME=VALUE" of a set.
struct SettingAssignment {
    std::string name;
    std::string value;
};

// The stable names and value syntax of every setting, shared by every command that reads or
// changes settings by name. Values are parsed into the same helpers the window's function dispatch
// uses, so a button given "single-key:B" ends with the record bytes and labels the window gives it
// for the same choice.
//
// Names: button.N.a / button.N.b (N 1-8), label.N.a / label.N.b (N 1-12), mode, report-rate,
// dpi.N, dpi.N.enabled, dpi.N.colour (N 1-8), lighting.mode, lighting.standard,
// lighting.respiration, lighting.neon, lighting.neon.effect, pointer.precision,
// pointer.scroll-screen, pointer.speed, pointer.wheel, pointer.double-click, skin, language.
class SettingsVocabulary {
public:
    // Every name, in the order get lists them.
    static std::vector<std::string> Names();

    // The one-line summary of the names and their values, for error messages and --help.
    static std::string NamesHelp();

    // The value of a name in its set syntax; nullopt for an unknown name.
    static std::optional<std::string> Get(const SettingsState& state, std::string_view name);

    // Splits "NAME=VALUE" at the first '='; nullopt when there is none or the name is empty.
    static std::optional<SettingAssignment> ParseAssignment(std::string_view text);

    // Applies the assignments in order to a copy of state and, only when every one is valid,
    // replaces state with it. Returns one message per refused assignment (naming it and listing
    // what is allowed); state is unchanged when any is returned.
    static std::vector<std::string> Apply(SettingsState& state, const std::vector<SettingAssignment>& assignments);
};

} // namespace vexo
