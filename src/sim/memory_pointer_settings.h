// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/desktop_pointer_settings.h"

namespace vexo {

// Desktop pointer settings held in memory: for tests and for runs that must not touch the real
// desktop. Any value can be made to fail its reads or writes, and every call is logged
// ("get speed", "set speed 10", ...) so that callers' order can be checked.
class MemoryPointerSettings final : public DesktopPointerSettings {
public:
    enum Value { Precision, Speed, Wheel, DoubleClick, kValueCount };

    bool precision = false;
    unsigned speed = 10;
    std::uint32_t wheelLines = 3;
    unsigned doubleClickMs = 500;
    // Per value: reads and writes of it fail.
    bool failRead[kValueCount] = {};
    bool failWrite[kValueCount] = {};
    std::vector<std::string> calls;
    // Runs after every call is logged (for tests that need to know what else happened by then).
    std::function<void(const std::string&)> onCall;

    std::string name() const override { return "memory"; }
    std::optional<bool> enhancePrecision() override;
    bool setEnhancePrecision(bool on) override;
    std::optional<unsigned> pointerSpeed() override;
    bool setPointerSpeed(unsigned value) override;
    std::optional<std::uint32_t> wheelScrollLines() override;
    bool setWheelScrollLines(std::uint32_t lines) override;
    std::optional<unsigned> doubleClickTime() override;
    bool setDoubleClickTime(unsigned milliseconds) override;

private:
    void log(std::string call);
};

} // namespace vexo
