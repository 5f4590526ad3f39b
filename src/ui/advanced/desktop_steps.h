// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <algorithm>
#include <cstdint>

namespace vexo::desktop {

// The advanced page's sliders have 11 steps; the desktop keeps pointer speed 1-20, wheel lines and
// the double-click time in milliseconds.
inline constexpr int kSteps = 11;

// Pointer speed of a step: 1, 2, 4, 6, ... 20.
constexpr unsigned SpeedOfStep(int step) {
    const int s = std::clamp(step, 1, kSteps);
    return s == 1 ? 1u : static_cast<unsigned>(2 * s - 2);
}

// The step that shows a pointer speed (10 shows 6, 3 shows 2, 20 shows 11).
constexpr int StepOfSpeed(unsigned speed) { return static_cast<int>(std::min<unsigned>(speed / 2 + 1, kSteps)); }

// Double-click time of a step: 900 ms at step 1 down to 200 ms at step 11, 70 ms a step.
constexpr unsigned DoubleClickTimeOfStep(int step) {
    const int s = std::clamp(step, 1, kSteps);
    return static_cast<unsigned>(900 - (s - 1) * 70);
}

// The step that shows a double-click time (500 shows 6). Times slower than 900 ms show step 1 and
// faster than 200 ms step 11, rather than wrapping round.
constexpr int StepOfDoubleClickTime(unsigned milliseconds) {
    if (milliseconds >= 900)
        return 1;
    return std::clamp(static_cast<int>((900 - milliseconds) / 70 + 1), 1, kSteps);
}

// The wheel byte of a line count (lines above 255 keep 255 rather than their low byte) and the
// step that shows it (0 lights no segment).
constexpr std::uint8_t WheelByteOfLines(std::uint32_t lines) {
    return static_cast<std::uint8_t>(std::min<std::uint32_t>(lines, 255));
}
constexpr int StepOfWheelByte(std::uint8_t lines) { return std::min<int>(lines, kSteps); }

// What restore defaults gives the desktop and the page.
inline constexpr unsigned kDefaultSpeed = 10;
inline constexpr std::uint32_t kDefaultWheelLines = 3;
inline constexpr unsigned kDefaultDoubleClickMs = 500;
inline constexpr int kDefaultSpeedStep = 6;
inline constexpr int kDefaultWheelStep = 3;
inline constexpr int kDefaultDoubleClickStep = 6;

static_assert(SpeedOfStep(1) == 1 && SpeedOfStep(6) == 10 && SpeedOfStep(11) == 20);
static_assert(StepOfSpeed(10) == 6 && StepOfSpeed(1) == 1 && StepOfSpeed(20) == 11 && StepOfSpeed(3) == 2);
static_assert(DoubleClickTimeOfStep(1) == 900 && DoubleClickTimeOfStep(6) == 550 && DoubleClickTimeOfStep(11) == 200);
static_assert(StepOfDoubleClickTime(500) == 6 && StepOfDoubleClickTime(900) == 1 && StepOfDoubleClickTime(200) == 11);

} // namespace vexo::desktop
