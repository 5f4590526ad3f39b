// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "device/notice_report.h"

#include "device/device_notice_listener.h"

namespace vexo {

std::optional<NoticeReport> NoticeReport::parse(std::span<const std::uint8_t> report) {
    auto byteAt = [&](std::size_t i) -> std::uint8_t { return i < report.size() ? report[i] : 0; };
    if (report.empty() || byteAt(kIdByte) != kReportId)
        return std::nullopt;
    const std::uint8_t kind = byteAt(kKindByte);
    if (kind != kNoticeReportRate && kind != kNoticeDpiStage && kind != kNoticeKeyGroup && kind != kNoticeMacroKey)
        return std::nullopt;
    return NoticeReport{kind, byteAt(kValueByte)};
}

} // namespace vexo
