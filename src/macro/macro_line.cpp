// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "macro/macro_line.h"

namespace vexo {
namespace {

constexpr std::int64_t kSaturation = 1'000'000'000'000'000;

std::string RemoveAll(std::string_view text, std::string_view marker) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    for (std::size_t hit = text.find(marker); hit != std::string_view::npos; hit = text.find(marker, pos)) {
        out.append(text.substr(pos, hit - pos));
        pos = hit + marker.size();
    }
    out.append(text.substr(pos));
    return out;
}

bool IsLeadingBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

} // namespace

std::string PressLine(std::string_view keyName) { return std::string(keyName) + std::string(kPressMarker); }

std::string ReleaseLine(std::string_view keyName) { return std::string(keyName) + std::string(kReleaseMarker); }

std::string DelayLine(std::int64_t milliseconds) { return std::to_string(milliseconds) + std::string(kDelayMarker); }

std::optional<MacroEvent> ParseMacroEvent(std::string_view line) {
    if (line.find(kPressMarker) != std::string_view::npos)
        return MacroEvent{false, RemoveAll(line, kPressMarker)};
    if (line.find(kReleaseMarker) != std::string_view::npos)
        return MacroEvent{true, RemoveAll(line, kReleaseMarker)};
    return std::nullopt;
}

std::int64_t ParseLeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsLeadingBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        // Hand-edited files may hold any number of digits; saturating keeps every later range
        // check meaningful without overflow.
        value = value >= kSaturation ? kSaturation : value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

std::int64_t ParseDelayMilliseconds(std::string_view line) { return ParseLeadingNumber(RemoveAll(line, kDelayMarker)); }

std::uint16_t ParseLoopTimes(std::string_view text) {
    const std::int64_t value = ParseLeadingNumber(text);
    return value < 1 || value > 65535 ? std::uint16_t{1} : static_cast<std::uint16_t>(value);
}

} // namespace vexo
