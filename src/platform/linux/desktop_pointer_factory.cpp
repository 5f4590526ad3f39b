// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/linux/desktop_pointer_factory.h"

#include <cstdlib>
#include <sstream>

#include "platform/linux/gsettings_pointer_settings.h"
#include "platform/linux/kde_pointer_settings.h"
#include "platform/linux/x11_pointer_settings.h"

namespace vexo {
namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

bool NamesDesktop(const std::string& list, std::initializer_list<const char*> names) {
    std::istringstream in(list);
    for (std::string item; std::getline(in, item, ':');) {
        for (const char* name : names) {
            if (item == name)
                return true;
        }
    }
    return false;
}

// A desktop that keeps none of the values: every call fails and is reported.
class NoPointerSettings final : public DesktopPointerSettings {
public:
    std::string name() const override { return "none"; }
    std::optional<bool> enhancePrecision() override { return std::nullopt; }
    bool setEnhancePrecision(bool) override { return false; }
    std::optional<unsigned> pointerSpeed() override { return std::nullopt; }
    bool setPointerSpeed(unsigned) override { return false; }
    std::optional<std::uint32_t> wheelScrollLines() override { return std::nullopt; }
    bool setWheelScrollLines(std::uint32_t) override { return false; }
    std::optional<unsigned> doubleClickTime() override { return std::nullopt; }
    bool setDoubleClickTime(unsigned) override { return false; }
};

} // namespace

DesktopEnvironment DesktopEnvironment::detect() {
    DesktopEnvironment environment;
    environment.currentDesktop = Env("XDG_CURRENT_DESKTOP");
    environment.x11Display = Env("DISPLAY");
    environment.waylandDisplay = Env("WAYLAND_DISPLAY");
    environment.sessionType = Env("XDG_SESSION_TYPE");
    const std::string configHome = Env("XDG_CONFIG_HOME");
    if (!configHome.empty() && configHome.front() == '/')
        environment.configHome = configHome;
    else if (const std::string home = Env("HOME"); !home.empty())
        environment.configHome = std::filesystem::path(home) / ".config";
    environment.gsettingsUsable =
        GSettingsPointerSettings::SchemaInstalled() && !GSettingsPointerSettings::DefaultBackendIsMemory();
    return environment;
}

bool DesktopEnvironment::wayland() const { return !waylandDisplay.empty() || sessionType == "wayland"; }

DesktopBackend ChooseDesktopBackend(const DesktopEnvironment& environment) {
    if (NamesDesktop(environment.currentDesktop, {"KDE"}) && !environment.configHome.empty())
        return DesktopBackend::Kde;
    if (NamesDesktop(environment.currentDesktop, {"GNOME", "GNOME-Flashback", "Unity", "Budgie", "Pantheon"}) &&
        environment.gsettingsUsable)
        return DesktopBackend::GSettings;
    if (!environment.x11Display.empty() && !environment.wayland())
        return DesktopBackend::X11;
    return DesktopBackend::None;
}

std::unique_ptr<DesktopPointerSettings> makeDesktopPointerSettings(const DesktopEnvironment& environment) {
    switch (ChooseDesktopBackend(environment)) {
    case DesktopBackend::Kde:
        return std::make_unique<KdePointerSettings>(environment.configHome, true, environment.wayland());
    case DesktopBackend::GSettings: return std::make_unique<GSettingsPointerSettings>();
    case DesktopBackend::X11: return std::make_unique<X11PointerSettings>(environment.x11Display);
    case DesktopBackend::None: break;
    }
    return std::make_unique<NoPointerSettings>();
}

} // namespace vexo
