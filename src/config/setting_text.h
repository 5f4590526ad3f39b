// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <array>
#include <charconv>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vexo::setting_text {

// Small text helpers shared by the files of the settings vocabulary.

// A whole decimal number, nothing before or after it.
inline std::optional<unsigned> Number(std::string_view text) {
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

// The non-empty names joined by ", ".
template <std::size_t N>
std::string Join(const std::array<std::string_view, N>& names) {
    std::string text;
    for (std::string_view name : names)
        if (!name.empty())
            text += (text.empty() ? "" : ", ") + std::string(name);
    return text;
}

// The position of value among the non-empty names.
template <std::size_t N>
std::optional<std::size_t> IndexOf(const std::array<std::string_view, N>& names, std::string_view value) {
    for (std::size_t i = 0; i < N; ++i)
        if (!names[i].empty() && names[i] == value)
            return i;
    return std::nullopt;
}

} // namespace vexo::setting_text
