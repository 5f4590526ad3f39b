// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <string>

#include "platform/desktop_pointer_settings.h"

struct _XDisplay;

namespace vexo {

// A plain X11 desktop: the X server's pointer control (acceleration factor and threshold), which
// is what the three mouse parameters of pointer precision describe: on is acceleration 2/1 above
// a threshold of 6 pixels, off is a factor of 1 (no acceleration). The core protocol has no pointer
// speed, wheel scroll lines or double-click time, so those calls fail.
//
// Every write is read back from the server; a value the server did not take fails the call.
class X11PointerSettings final : public DesktopPointerSettings {
public:
    // Connects to displayName, or to $DISPLAY when it is empty. Without a connection every call fails.
    explicit X11PointerSettings(const std::string& displayName = {});
    ~X11PointerSettings() override;
    X11PointerSettings(const X11PointerSettings&) = delete;
    X11PointerSettings& operator=(const X11PointerSettings&) = delete;

    bool connected() const { return display_ != nullptr; }

    std::string name() const override { return "X11"; }
    std::optional<bool> enhancePrecision() override;
    bool setEnhancePrecision(bool on) override;
    std::optional<unsigned> pointerSpeed() override;
    bool setPointerSpeed(unsigned speed) override;
    std::optional<std::uint32_t> wheelScrollLines() override;
    bool setWheelScrollLines(std::uint32_t lines) override;
    std::optional<unsigned> doubleClickTime() override;
    bool setDoubleClickTime(unsigned milliseconds) override;

    // The pointer control set for precision on and off.
    struct Control {
        int numerator;
        int denominator;
        int threshold;
    };
    static constexpr Control kPrecisionOn{2, 1, 6};
    static constexpr Control kPrecisionOff{1, 1, 0};

private:
    _XDisplay* display_ = nullptr;
};

} // namespace vexo
