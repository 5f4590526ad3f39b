// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <filesystem>
#include <memory>
#include <string>

#include "platform/desktop_pointer_settings.h"

namespace vexo {

// What decides which desktop keeps the pointer settings.
struct DesktopEnvironment {
    std::string currentDesktop; // $XDG_CURRENT_DESKTOP (colon-separated names)
    std::string x11Display; // $DISPLAY
    std::string waylandDisplay; // $WAYLAND_DISPLAY
    std::filesystem::path configHome; // $XDG_CONFIG_HOME, or ~/.config
    bool gsettingsUsable = false; // the GNOME schema is installed and GIO keeps settings (dconf)
    std::string sessionType; // $XDG_SESSION_TYPE ("wayland", "x11", ...)

    // A Wayland session: the compositor owns the pointer, whatever XWayland offers.
    bool wayland() const;

    static DesktopEnvironment detect();
};

enum class DesktopBackend { Kde, GSettings, X11, None };

// KDE Plasma for a desktop named KDE; GSettings for GNOME and the desktops built on its settings
// (Unity, Budgie, Pantheon, GNOME Flashback) when usable; the X server's pointer control on any
// other X11 session. Any other Wayland session gets None: its compositor reads neither GNOME's
// settings nor XWayland's pointer control, so writing them would look successful and change nothing.
DesktopBackend ChooseDesktopBackend(const DesktopEnvironment& environment);

// The chosen backend. None gives one whose every call fails, so that each value the desktop
// cannot take is reported, not silently dropped.
std::unique_ptr<DesktopPointerSettings> makeDesktopPointerSettings(const DesktopEnvironment& environment);

} // namespace vexo
