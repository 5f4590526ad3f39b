// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <functional>
#include <memory>

#include "platform/desktop_pointer_settings.h"

namespace vexo {

// Desktop pointer settings made the first time anything is asked of them, by the factory given.
// Finding the desktop and opening its settings (GSettings reads its schema list and loads its
// settings module; KDE reads its files) is work a start at login does not need: only the advanced
// page and Apply use the values. Every call goes to the settings made; a factory that made nothing
// leaves settings that read nothing and refuse every write. One thread only, as the settings are.
class DeferredPointerSettings final : public DesktopPointerSettings {
public:
    using Factory = std::function<std::unique_ptr<DesktopPointerSettings>()>;

    explicit DeferredPointerSettings(Factory make);

    // The factory ran (it runs once at most).
    bool made() const { return made_; }

    std::string name() const override;
    std::optional<bool> enhancePrecision() override;
    bool setEnhancePrecision(bool on) override;
    std::optional<unsigned> pointerSpeed() override;
    bool setPointerSpeed(unsigned speed) override;
    std::optional<std::uint32_t> wheelScrollLines() override;
    bool setWheelScrollLines(std::uint32_t lines) override;
    std::optional<unsigned> doubleClickTime() override;
    bool setDoubleClickTime(unsigned milliseconds) override;

private:
    // The settings, made now if they were not; null when the factory made nothing.
    DesktopPointerSettings* settings() const;

    mutable Factory make_;
    mutable bool made_ = false;
    mutable std::unique_ptr<DesktopPointerSettings> settings_;
};

} // namespace vexo
