// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>

#include "device/device_notice_listener.h"

namespace vexo {

// Drops every notice: for benchmarks and fuzzers that exercise the link without a window.
class SilentNoticeListener final : public DeviceNoticeListener {
public:
    void deviceNotice(std::uint8_t, std::uint8_t) override {}
    void hideMainWindow() override {}
};

} // namespace vexo
