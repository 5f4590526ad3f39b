// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/config_record.h"
#include "config/ini_settings.h"

namespace vexo {

// One macro of record.ini as a profile carries it.
struct ProfileMacro {
    std::string name;
    std::string loopTimes; // "MacroLoopTimes" as stored
    std::vector<std::string> lines;
    bool operator==(const ProfileMacro&) const = default;
};

// The whole setup a profile carries: config.bin (first-run flag and record), the labels of the
// language in effect, skin and language, and the macros of record.ini in slot order.
struct ProfileContent {
    std::uint8_t firstRunFlag = 1;
    ConfigRecord record;
    IniSettings::Labels labelsA;
    IniSettings::Labels labelsB;
    std::string language;
    std::string skin;
    std::vector<ProfileMacro> macros;
};

// The versioned JSON document of a profile (docs/profile.schema.json):
//   {"format": "vexo-t58-profile", "version": 1, "firstRunFlag": 0-255,
//    "record": 4082 hex digits, "language": "...", "skin": "...",
//    "labels": {"a": [12 texts], "b": [12 texts]},
//    "macros": [{"name": "...", "loopTimes": "...", "lines": ["...", ...]}, ...]}
// The record is kept whole, reserved bytes included, so a profile gives back config.bin byte for byte.
class ProfileDocument {
public:
    static constexpr std::string_view kFormat = "vexo-t58-profile";
    static constexpr int kVersion = 1;
    // At most this many macros and lines per macro are read (record.ini's own limit for lines).
    static constexpr std::size_t kMaxMacros = 1000;
    static constexpr std::size_t kMaxLines = 4096;

    static std::string Write(const ProfileContent& content);

    // Every field is checked before anything is returned. Errors name the field ("labels.a[3]:
    // ...", "macros[2].name: ..."); an unknown field is an error as well, so nothing a newer
    // version wrote is dropped unseen. content is set only when there are no errors.
    struct ReadResult {
        std::optional<ProfileContent> content;
        std::vector<std::string> errors;
    };
    static ReadResult Read(std::string_view text);
};

} // namespace vexo
