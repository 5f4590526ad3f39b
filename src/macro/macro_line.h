// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vexo {

// The text lines of a stored macro: "A   Dn" (press), "A   Up" (release) and "50 ms" (delay).
inline constexpr std::string_view kPressMarker = "   Dn";
inline constexpr std::string_view kReleaseMarker = "   Up";
inline constexpr std::string_view kDelayMarker = " ms";

struct MacroEvent {
    bool release = false;
    std::string keyName;
};

std::string PressLine(std::string_view keyName);
std::string ReleaseLine(std::string_view keyName);
std::string DelayLine(std::int64_t milliseconds);

// The event of a line, as the encoder reads it: a line containing "   Dn" anywhere is a press,
// else one containing "   Up" a release; the key name is the line with every such marker
// removed. Any other line (a delay, or text that is neither) gives nothing.
std::optional<MacroEvent> ParseMacroEvent(std::string_view line);

// The number at the start of a text, as the stored numbers are read: leading blanks, an optional
// sign, then decimal digits up to the first other character. Text that does not start with a
// number gives 0. Values beyond +-1e15 saturate there instead of overflowing.
std::int64_t ParseLeadingNumber(std::string_view text);

// The milliseconds of a delay line: the line with every " ms" removed, read as a leading number.
std::int64_t ParseDelayMilliseconds(std::string_view line);

// Loop times from its stored text: 1 for anything outside 1..65535 (empty text included).
std::uint16_t ParseLoopTimes(std::string_view text);

} // namespace vexo
