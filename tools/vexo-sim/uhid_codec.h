// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>
#include <linux/uhid.h>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vexo {

// What the kernel asks of a virtual HID device through /dev/uhid, decoded from its events.
struct UhidRequest {
    enum class Kind { Start, Stop, Open, Close, Output, GetReport, SetReport, Other };
    enum class ReportType { Feature, Output, Input };
    Kind kind = Kind::Other;
    ReportType reportType = ReportType::Output;
    std::uint32_t id = 0; // GetReport and SetReport: to be echoed in the reply
    std::uint8_t reportNumber = 0; // GetReport and SetReport
    // Output and SetReport: the report as the program passed it, report ID byte first.
    std::vector<std::uint8_t> data;
};

// Encoding and decoding of uhid events. The kernel's struct uhid_event is the wire format of
// /dev/uhid; every field is filled and read by name.
class UhidCodec {
public:
    // Creates a USB device (bus 0003) with these identifiers and report descriptor. Nothing when
    // the descriptor or name does not fit.
    static std::optional<uhid_event> create(const std::string& name, std::uint16_t vendorId, std::uint16_t productId,
                                            std::span<const std::uint8_t> descriptor);
    static uhid_event destroy();
    // One input report as the device sends it (with its ID byte only when it numbers reports).
    // Nothing when longer than an event holds.
    static std::optional<uhid_event> input(std::span<const std::uint8_t> report);
    // Answers a GetReport: data (report ID byte first) or, with error != 0, the errno-style failure.
    static std::optional<uhid_event> getReportReply(std::uint32_t id, std::uint16_t error,
                                                    std::span<const std::uint8_t> data);
    static uhid_event setReportReply(std::uint32_t id, std::uint16_t error);

    // Decodes an event of `length` bytes as read from /dev/uhid (the kernel may send short events,
    // whose missing tail counts as zero). Nothing when the event is too short for its type or
    // announces more data than it holds.
    static std::optional<UhidRequest> decode(const uhid_event& event, std::size_t length);
};

} // namespace vexo
