// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace vexo {

// Vendor and product of a HID device as the kernel names them in udev and sysfs.
struct HidIds {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;

    // From the HID_ID property of a HID device: "0003:000004D9:0000A09F" (bus, vendor,
    // product in hex). Nothing when the text has another shape or a value exceeds 16 bits.
    static std::optional<HidIds> fromHidIdProperty(std::string_view text);
    // From the device path of a hidraw node, whose parent HID device is named
    // "BBBB:VVVV:PPPP.NNNN": ".../0003:04D9:A09F.0001/hidraw/hidraw3". Works for removed nodes,
    // whose sysfs entries are gone. Nothing when the path has another shape.
    static std::optional<HidIds> fromHidrawDevpath(std::string_view devpath);
};

} // namespace vexo
