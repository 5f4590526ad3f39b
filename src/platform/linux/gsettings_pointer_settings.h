// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <filesystem>
#include <string>

#include "platform/desktop_pointer_settings.h"

struct _GSettings;

namespace vexo {

// GNOME and the other GSettings desktops: the keys of org.gnome.desktop.peripherals.mouse through
// GIO. "accel-profile" carries the acceleration (flat = off, adaptive = on; the desktop's "default"
// is adaptive for mice), "speed" (-1 to 1) the pointer speed, "double-click" the double-click time.
// These desktops have no wheel scroll lines: both wheel calls fail.
//
// Writes go through GIO's default settings backend (dconf), which running desktops watch, and are
// flushed before the call returns. With a key file given, the values are kept in that file instead
// (a GSettings key file backend), so the whole path can be used without a desktop.
class GSettingsPointerSettings final : public DesktopPointerSettings {
public:
    static constexpr const char* kSchema = "org.gnome.desktop.peripherals.mouse";

    explicit GSettingsPointerSettings(const std::filesystem::path& keyFile = {});
    ~GSettingsPointerSettings() override;
    GSettingsPointerSettings(const GSettingsPointerSettings&) = delete;
    GSettingsPointerSettings& operator=(const GSettingsPointerSettings&) = delete;

    // The schema is installed (without it every call fails).
    static bool SchemaInstalled();
    // GIO's default backend keeps values only in memory (no dconf): writes would reach nobody.
    static bool DefaultBackendIsMemory();

    std::string name() const override { return "GSettings"; }
    std::optional<bool> enhancePrecision() override;
    bool setEnhancePrecision(bool on) override;
    std::optional<unsigned> pointerSpeed() override;
    bool setPointerSpeed(unsigned speed) override;
    std::optional<std::uint32_t> wheelScrollLines() override;
    bool setWheelScrollLines(std::uint32_t lines) override;
    std::optional<unsigned> doubleClickTime() override;
    bool setDoubleClickTime(unsigned milliseconds) override;

    // The step conversions of this desktop's speed scale.
    static double SpeedToGSettings(unsigned speed);
    static unsigned SpeedFromGSettings(double value);

private:
    bool hasKey(const char* key) const;

    _GSettings* settings_ = nullptr;
};

} // namespace vexo
