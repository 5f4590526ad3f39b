// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "config/config_store.h"
#include "config/ini_settings.h"
#include "config/profile_document.h"

namespace vexo {

// The whole setup of the data files as a profile, read and written the same way by vexoctl and by
// the window: config.bin's flag and record, the labels of the language str.ini selects, skin,
// language and every macro of record.ini in file order.
class ProfileSetup {
public:
    // Reads the setup from store and settings (already loaded) and record.ini. Throws
    // std::runtime_error when a macro cannot be carried whole (more lines than record.ini keeps).
    static ProfileContent Read(const ConfigStore& store, const IniSettings& settings,
                               const std::filesystem::path& recordIni);

    // What would stop Write: macro names record.ini cannot keep, macros too long. Empty when none.
    static std::vector<std::string> Check(const ProfileContent& content);

    // Writes the content over the data files (the caller holds the folder's lock): record.ini
    // replaced whole through a file beside it, config.bin with the content's flag, the labels into
    // the section of the content's language, skin and language. store's record and settings'
    // labels and section follow. Returns the reason of the first failure, or an empty text.
    static std::string Write(ConfigStore& store, IniSettings& settings, const std::filesystem::path& recordIni,
                             const ProfileContent& content);

    // A whole file of at most limit bytes. Never waits on a FIFO or a device.
    struct FileText {
        std::string text;
        std::string error; // empty when read
        bool tooLarge = false;
    };
    static FileText ReadFile(const std::filesystem::path& file, std::size_t limit);
};

} // namespace vexo
