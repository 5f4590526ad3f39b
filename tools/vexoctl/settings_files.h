// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "command_registry.h"
#include "config/config_store.h"
#include "config/file_locations.h"
#include "config/folder_lock.h"
#include "config/ini_settings.h"
#include "config/ui_texts.h"
#include "device/device_session.h"

namespace vexo::cli {

// config.bin and str.ini as the configuration commands use them: found by --data DIR or the
// program's own rule (an installed program's user folder is filled on first use).
struct SettingsFiles {
    enum class Use { Read, Modify };

    FileLocations locations;
    // Use::Modify: the folder's lock, held from before the files are read until this is destroyed,
    // so that a read-modify-write never undoes another program's save.
    std::unique_ptr<FolderLock> lock;
    ConfigStore store;
    IniSettings settings;
    UiTexts texts;

    // Throws std::runtime_error with a readable reason when config.bin is missing, not 2042 bytes,
    // not a regular file or unreadable, the user's folder cannot be prepared, or (Use::Modify)
    // another program keeps the folder busy.
    explicit SettingsFiles(const CommandContext& context, Use use = Use::Read);
};

// Where config.bin, str.ini and record.ini are for this command: --data DIR, or the program's own
// rule (an installed program's user folder is prepared on first use; std::runtime_error if it
// cannot be).
FileLocations DataLocations(const CommandContext& context);

// Parses "--sensor N" out of args (N 0-3), removing it; nullopt when absent. UsageError otherwise.
std::optional<std::uint8_t> TakeSensorOption(std::vector<std::string>& args);

// Opens the mouse and performs the handshake; true when a usable mouse answered.
bool ConnectMouse(DeviceSession& session);

// A listener for commands that report presence themselves.
class SilentListener final : public DeviceNoticeListener {
public:
    void deviceNotice(std::uint8_t, std::uint8_t) override {}
    void hideMainWindow() override {}
};

} // namespace vexo::cli
