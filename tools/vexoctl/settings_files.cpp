// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "settings_files.h"

#include <iostream>
#include <stdexcept>

#include "macro_files.h"

namespace vexo::cli {
FileLocations DataLocations(const CommandContext& context) {
    if (const auto dir = context.global("--data"))
        return FileLocations::inFolder(*dir);
    FileLocations where = FileLocations::detect();
    std::string error;
    if (!where.prepare(error))
        throw std::runtime_error(error);
    return where;
}

SettingsFiles::SettingsFiles(const CommandContext& context, Use use)
    : locations(DataLocations(context)), store(locations.configBin()) {
    if (use == Use::Modify) {
        lock = std::make_unique<FolderLock>(locations.dataDir());
        if (lock->busy())
            throw std::runtime_error(lock->message() + "; nothing was changed");
    }
    switch (store.LoadConfig()) {
    case ConfigStore::LoadResult::Loaded: break;
    case ConfigStore::LoadResult::Missing: throw std::runtime_error("no configuration: " + store.lastError());
    case ConfigStore::LoadResult::WrongSize:
    case ConfigStore::LoadResult::Unreadable: throw std::runtime_error("unusable configuration: " + store.lastError());
    }
    settings.m_strStrIniPath = locations.strIni();
    texts = SelectTexts(settings.ReadLanguage());
    settings.m_strSettingSection = texts.m_strSettingSection;
    settings.LoadIniSettings();
}

std::optional<std::uint8_t> TakeSensorOption(std::vector<std::string>& args) {
    std::optional<std::uint8_t> sensor;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--sensor")
            continue;
        if (i + 1 >= args.size())
            throw UsageError("--sensor needs a sensor type from 0 to 3");
        const std::string& value = args[i + 1];
        if (value.size() != 1 || value[0] < '0' || value[0] > '3')
            throw UsageError("--sensor takes a sensor type from 0 to 3, not '" + value + "'");
        sensor = static_cast<std::uint8_t>(value[0] - '0');
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        --i;
    }
    return sensor;
}

bool ConnectMouse(DeviceSession& session) {
    if (session.link().OpenMouse() == 1)
        session.transport().PerformHandshake();
    return session.mousePresent();
}

} // namespace vexo::cli
