// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>
#include <vector>

namespace vexo {

// One call that reached the simulated mouse, with the bytes as they crossed the wire (scrambled
// packets stay scrambled). For reads the bytes are what the mouse delivered.
struct SimExchange {
    enum class Kind { SetFeature, GetFeature, Write, Read, NoticeRead };
    Kind kind = Kind::SetFeature;
    // The length the caller passed to the HID call.
    std::size_t length = 0;
    bool ok = false;
    std::vector<std::uint8_t> bytes;
};

} // namespace vexo
