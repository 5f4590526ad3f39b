// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "config/settings_vocabulary.h"
#include "settings_files.h"

namespace vexo::cli {

// The settings vocabulary's view of the data files: the record of config.bin, the labels of the
// language str.ini selects, its skin and language, and the macro names of record.ini.
SettingsState ReadSettingsState(const SettingsFiles& files, std::optional<std::uint8_t> sensorType);

// Re-reads the labels of the language state would select (after a set changed the language), so
// that labels are always those of the language in effect. Needs files.settings' path.
void ReloadLabelsForLanguage(SettingsFiles& files, SettingsState& state);

// Puts the state's record and labels into files.store and files.settings (nothing is written).
void TakeSettingsState(SettingsFiles& files, const SettingsState& state);

// Writes the skin and language of state to str.ini when they differ from what files read.
// Returns an empty text on success, or the reason.
std::string WriteSkinAndLanguage(SettingsFiles& files, const SettingsState& state);

} // namespace vexo::cli
