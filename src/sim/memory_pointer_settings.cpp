// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "sim/memory_pointer_settings.h"

#include <algorithm>

namespace vexo {

void MemoryPointerSettings::log(std::string call) {
    calls.push_back(call);
    if (onCall)
        onCall(call);
}

std::optional<bool> MemoryPointerSettings::enhancePrecision() {
    log("get precision");
    if (failRead[Precision])
        return std::nullopt;
    return precision;
}

bool MemoryPointerSettings::setEnhancePrecision(bool on) {
    log(std::string("set precision ") + (on ? "1" : "0"));
    if (failWrite[Precision])
        return false;
    precision = on;
    return true;
}

std::optional<unsigned> MemoryPointerSettings::pointerSpeed() {
    log("get speed");
    if (failRead[Speed])
        return std::nullopt;
    return speed;
}

bool MemoryPointerSettings::setPointerSpeed(unsigned value) {
    log("set speed " + std::to_string(value));
    if (failWrite[Speed])
        return false;
    speed = std::clamp(value, 1u, 20u);
    return true;
}

std::optional<std::uint32_t> MemoryPointerSettings::wheelScrollLines() {
    log("get wheel");
    if (failRead[Wheel])
        return std::nullopt;
    return wheelLines;
}

bool MemoryPointerSettings::setWheelScrollLines(std::uint32_t lines) {
    log("set wheel " + std::to_string(lines));
    if (failWrite[Wheel])
        return false;
    wheelLines = lines;
    return true;
}

std::optional<unsigned> MemoryPointerSettings::doubleClickTime() {
    log("get double-click");
    if (failRead[DoubleClick])
        return std::nullopt;
    return doubleClickMs;
}

bool MemoryPointerSettings::setDoubleClickTime(unsigned milliseconds) {
    log("set double-click " + std::to_string(milliseconds));
    if (failWrite[DoubleClick])
        return false;
    doubleClickMs = milliseconds;
    return true;
}

} // namespace vexo
