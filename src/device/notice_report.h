// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>
#include <optional>
#include <span>

namespace vexo {

// One notice the mouse sent on its own through the notification collection.
struct NoticeReport {
    static constexpr std::uint8_t kReportId = 6;
    static constexpr std::size_t kIdByte = 0;
    static constexpr std::size_t kKindByte = 1;
    static constexpr std::size_t kValueByte = 3;

    std::uint8_t kind = 0;
    std::uint8_t value = 0;

    // The notice a notification input report carries: report ID 6 and kind 5, 7, 8 or 9. Bytes the
    // report does not have count as zero. Anything else yields no notice.
    static std::optional<NoticeReport> parse(std::span<const std::uint8_t> report);
};

} // namespace vexo
