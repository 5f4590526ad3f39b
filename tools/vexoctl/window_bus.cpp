// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "window_bus.h"

#include <filesystem>
#include <sstream>

#include "config/settings_bus_names.h"
#include "settings_files.h"

namespace vexo::cli {
namespace {

// A settings call reads and writes files and may talk to the mouse: a whole Apply takes about a
// second, and a dialog the window is closing may hold it a little longer.
constexpr int kCallTimeoutMs = 30000;
// Asking where the window works answers at once, or the window is not there to use.
constexpr int kQuickTimeoutMs = 2000;

} // namespace

std::unique_ptr<WindowBus> WindowBus::Find(const CommandContext& context) {
    if (context.has("--simulate") || context.has("--trace") || !SessionBus::Runs())
        return nullptr;
    auto bus = std::make_unique<SessionBus>();
    if (!bus->connected() || !bus->hasOwner(SettingsBusNames::kService))
        return nullptr;
    const SessionBus::Reply folder = bus->call(SettingsBusNames::kService, SettingsBusNames::kPath,
                                               SettingsBusNames::kInterface, "DataFolder", {}, kQuickTimeoutMs);
    if (!folder.ok || folder.texts.size() != 1)
        return nullptr;
    std::error_code ec;
    if (!std::filesystem::equivalent(folder.texts.front(), DataLocations(context).dataDir(), ec) || ec)
        return nullptr;
    return std::unique_ptr<WindowBus>(new WindowBus(std::move(bus)));
}

SessionBus::Reply WindowBus::call(const std::string& method, const std::vector<SessionBus::Argument>& arguments) const {
    return bus_->call(SettingsBusNames::kService, SettingsBusNames::kPath, SettingsBusNames::kInterface, method,
                      arguments, kCallTimeoutMs);
}

int WindowBus::Report(CommandContext& context, const SessionBus::Reply& reply, const std::string& prefix) {
    if (reply.errorName == SettingsBusNames::kInvalidSetting) {
        std::istringstream lines(reply.message);
        for (std::string line; std::getline(lines, line);)
            context.err << prefix << line << "\n";
        context.err << prefix << "nothing was changed\n";
        return kExitUsage;
    }
    if (reply.errorName == SettingsBusNames::kFailed)
        context.err << prefix << "the running window: " << reply.message << "\n";
    else
        context.err << prefix << "the running window did not answer: " << reply.message << "\n";
    return kExitFailure;
}

} // namespace vexo::cli
