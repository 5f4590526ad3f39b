// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <array>
#include <cstdint>

namespace vexo {

// Report descriptors of the mouse's two vendor interfaces as the virtual device announces them.
// Each is its own USB interface on the real mouse (the command reports carry no report ID, the
// notification reports carry ID 6, and one descriptor cannot mix the two), so vexo-sim creates
// one virtual device per interface, both 04D9:A09F.

// Command collection 0xFF00/0xFF00: an 8-byte feature report for command packets and 32-byte
// input and output reports for data blocks, no report IDs.
inline constexpr std::array<std::uint8_t, 32> kCommandInterfaceDescriptor = {
    0x06, 0x00, 0xFF, //   Usage Page (Vendor 0xFF00)
    0x0A, 0x00, 0xFF, //   Usage (0xFF00)
    0xA1, 0x01, //   Collection (Application)
    0x15, 0x00, //     Logical Minimum (0)
    0x26, 0xFF, 0x00, //     Logical Maximum (255)
    0x75, 0x08, //     Report Size (8)
    0x95, 0x08, //     Report Count (8)
    0x09, 0x01, //     Usage (1)
    0xB1, 0x02, //     Feature (Data, Variable, Absolute)
    0x95, 0x20, //     Report Count (32)
    0x09, 0x02, //     Usage (2)
    0x81, 0x02, //     Input (Data, Variable, Absolute)
    0x09, 0x03, //     Usage (3)
    0x91, 0x02, //     Output (Data, Variable, Absolute)
    0xC0, //   End Collection
};

// Notification collection 0xFF01/0xFF01: input reports with ID 6 and 8 data bytes
// (kind, unused, value, padding).
inline constexpr std::array<std::uint8_t, 24> kNotificationInterfaceDescriptor = {
    0x06, 0x01, 0xFF, //   Usage Page (Vendor 0xFF01)
    0x0A, 0x01, 0xFF, //   Usage (0xFF01)
    0xA1, 0x01, //   Collection (Application)
    0x85, 0x06, //     Report ID (6)
    0x15, 0x00, //     Logical Minimum (0)
    0x26, 0xFF, 0x00, //     Logical Maximum (255)
    0x75, 0x08, //     Report Size (8)
    0x95, 0x08, //     Report Count (8)
    0x09, 0x01, //     Usage (1)
    0x81, 0x02, //     Input (Data, Variable, Absolute)
    0xC0, //   End Collection
};

} // namespace vexo
