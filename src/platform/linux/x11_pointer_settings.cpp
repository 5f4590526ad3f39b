// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/linux/x11_pointer_settings.h"

#include <X11/Xlib.h>

namespace vexo {

X11PointerSettings::X11PointerSettings(const std::string& displayName) {
    display_ = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
}

X11PointerSettings::~X11PointerSettings() {
    if (display_ != nullptr)
        XCloseDisplay(display_);
}

std::optional<bool> X11PointerSettings::enhancePrecision() {
    if (display_ == nullptr)
        return std::nullopt;
    int numerator = 0, denominator = 0, threshold = 0;
    XGetPointerControl(display_, &numerator, &denominator, &threshold);
    if (denominator <= 0)
        return std::nullopt;
    // Acceleration is on when moving fast multiplies the motion.
    return numerator > denominator;
}

bool X11PointerSettings::setEnhancePrecision(bool on) {
    if (display_ == nullptr)
        return false;
    const Control wanted = on ? kPrecisionOn : kPrecisionOff;
    XChangePointerControl(display_, True, True, wanted.numerator, wanted.denominator, wanted.threshold);
    // The request is asynchronous: asking for the values back waits for the server and shows
    // whether it took them.
    int numerator = 0, denominator = 0, threshold = 0;
    XGetPointerControl(display_, &numerator, &denominator, &threshold);
    return denominator > 0 && numerator * wanted.denominator == wanted.numerator * denominator &&
        threshold == wanted.threshold;
}

std::optional<unsigned> X11PointerSettings::pointerSpeed() { return std::nullopt; }

bool X11PointerSettings::setPointerSpeed(unsigned) { return false; }

std::optional<std::uint32_t> X11PointerSettings::wheelScrollLines() { return std::nullopt; }

bool X11PointerSettings::setWheelScrollLines(std::uint32_t) { return false; }

std::optional<unsigned> X11PointerSettings::doubleClickTime() { return std::nullopt; }

bool X11PointerSettings::setDoubleClickTime(unsigned) { return false; }

} // namespace vexo
