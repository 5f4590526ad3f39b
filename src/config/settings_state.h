// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "config/config_record.h"
#include "config/ini_settings.h"

namespace vexo {

// Everything the window edits, in one place: the record, the labels of the current language, the
// skin and language names of str.ini. Macro names and the sensor type are read-only context: the
// macros' slots follow record.ini's section order, and DPI values are rows of the sensor's list.
struct SettingsState {
    ConfigRecord record;
    IniSettings::Labels labelsA;
    IniSettings::Labels labelsB;
    std::string language; // "Skins"/"Lan" as stored ("EN", "CHS", "CHT" or anything else)
    std::string skin; // "Skins"/"Path"
    std::vector<std::string> macroNames;
    std::optional<std::uint8_t> sensorType;
};

} // namespace vexo
