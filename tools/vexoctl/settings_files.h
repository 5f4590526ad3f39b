#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "command_registry.h"
#include "config/config_store.h"
#include "config/file_locations.h"
#include "config/ini_settings.h"
#include "config/ui_texts.h"
#include "device/device_session.h"

namespace vexo::cli {

// config.bin and str.ini as the configuration commands use them: found by --data DIR or the
// program's own rule (an installed program's user folder is filled on first use).
struct SettingsFiles {
    FileLocations locations;
    ConfigStore store;
    IniSettings settings;
    UiTexts texts;

    // Throws std::runtime_error with a readable reason when config.bin is missing, not 2042 bytes or
    // unreadable, or the user's folder cannot be prepared.
    explicit SettingsFiles(const CommandContext& context);
};

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
