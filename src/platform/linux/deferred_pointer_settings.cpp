// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/linux/deferred_pointer_settings.h"

#include <utility>

namespace vexo {

DeferredPointerSettings::DeferredPointerSettings(Factory make) : make_(std::move(make)) {}

DesktopPointerSettings* DeferredPointerSettings::settings() const {
    if (!made_) {
        made_ = true;
        if (make_)
            settings_ = make_();
        make_ = nullptr; // what it captured is not needed any more
    }
    return settings_.get();
}

std::string DeferredPointerSettings::name() const {
    DesktopPointerSettings* made = settings();
    return made != nullptr ? made->name() : "none";
}

std::optional<bool> DeferredPointerSettings::enhancePrecision() {
    DesktopPointerSettings* made = settings();
    return made != nullptr ? made->enhancePrecision() : std::nullopt;
}

bool DeferredPointerSettings::setEnhancePrecision(bool on) {
    DesktopPointerSettings* made = settings();
    return made != nullptr && made->setEnhancePrecision(on);
}

std::optional<unsigned> DeferredPointerSettings::pointerSpeed() {
    DesktopPointerSettings* made = settings();
    return made != nullptr ? made->pointerSpeed() : std::nullopt;
}

bool DeferredPointerSettings::setPointerSpeed(unsigned speed) {
    DesktopPointerSettings* made = settings();
    return made != nullptr && made->setPointerSpeed(speed);
}

std::optional<std::uint32_t> DeferredPointerSettings::wheelScrollLines() {
    DesktopPointerSettings* made = settings();
    return made != nullptr ? made->wheelScrollLines() : std::nullopt;
}

bool DeferredPointerSettings::setWheelScrollLines(std::uint32_t lines) {
    DesktopPointerSettings* made = settings();
    return made != nullptr && made->setWheelScrollLines(lines);
}

std::optional<unsigned> DeferredPointerSettings::doubleClickTime() {
    DesktopPointerSettings* made = settings();
    return made != nullptr ? made->doubleClickTime() : std::nullopt;
}

bool DeferredPointerSettings::setDoubleClickTime(unsigned milliseconds) {
    DesktopPointerSettings* made = settings();
    return made != nullptr && made->setDoubleClickTime(milliseconds);
}

} // namespace vexo
