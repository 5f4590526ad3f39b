// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/linux/hid_ids.h"

#include <charconv>

namespace vexo {
namespace {

// Parses a whole field of hex digits into at most 16 bits.
std::optional<std::uint16_t> hex16(std::string_view field) {
    if (field.empty() || field.size() > 8)
        return std::nullopt;
    std::uint32_t value = 0;
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value, 16);
    if (ec != std::errc() || end != field.data() + field.size() || value > 0xFFFF)
        return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

// "bus:vendor:product" with nothing else.
std::optional<HidIds> threeFields(std::string_view text) {
    const auto first = text.find(':');
    if (first == std::string_view::npos)
        return std::nullopt;
    const auto second = text.find(':', first + 1);
    if (second == std::string_view::npos || text.find(':', second + 1) != std::string_view::npos)
        return std::nullopt;
    const auto bus = hex16(text.substr(0, first));
    const auto vendor = hex16(text.substr(first + 1, second - first - 1));
    const auto product = hex16(text.substr(second + 1));
    if (!bus || !vendor || !product)
        return std::nullopt;
    return HidIds{*vendor, *product};
}

} // namespace

std::optional<HidIds> HidIds::fromHidIdProperty(std::string_view text) { return threeFields(text); }

std::optional<HidIds> HidIds::fromHidrawDevpath(std::string_view devpath) {
    constexpr std::string_view marker = "/hidraw/";
    const auto at = devpath.rfind(marker);
    if (at == std::string_view::npos || at == 0)
        return std::nullopt;
    const std::string_view parentPath = devpath.substr(0, at);
    const auto slash = parentPath.rfind('/');
    std::string_view name = slash == std::string_view::npos ? parentPath : parentPath.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos)
        return std::nullopt;
    const std::string_view instance = name.substr(dot + 1);
    if (!hex16(instance))
        return std::nullopt;
    return threeFields(name.substr(0, dot));
}

} // namespace vexo
