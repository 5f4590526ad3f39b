// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace vexo {

// The desktop's own pointer settings, in the units the advanced page converts its steps to:
// pointer acceleration on or off, pointer speed 1-20 (10 the desktop's middle), wheel scroll lines
// (kScrollOneScreen for one screen per notch) and the double-click time in milliseconds.
//
// Each read gives nothing and each write gives false when the desktop does not have the value or
// the call failed; a backend never reports a value it could not read or write. Writes take effect
// for the running session as far as the desktop allows (see README's table per backend).
class DesktopPointerSettings {
public:
    static constexpr std::uint32_t kScrollOneScreen = 0xFFFFFFFF;

    virtual ~DesktopPointerSettings() = default;

    // Which desktop the values go to, for messages and the README's table ("GSettings", "KDE", ...).
    virtual std::string name() const = 0;

    virtual std::optional<bool> enhancePrecision() = 0;
    virtual bool setEnhancePrecision(bool on) = 0;
    virtual std::optional<unsigned> pointerSpeed() = 0;
    // speed 1-20; other values are clamped into that range.
    virtual bool setPointerSpeed(unsigned speed) = 0;
    virtual std::optional<std::uint32_t> wheelScrollLines() = 0;
    virtual bool setWheelScrollLines(std::uint32_t lines) = 0;
    virtual std::optional<unsigned> doubleClickTime() = 0;
    virtual bool setDoubleClickTime(unsigned milliseconds) = 0;
};

} // namespace vexo
