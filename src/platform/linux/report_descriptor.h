// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vexo {

// What a HID report descriptor announces, reduced to what the link needs: its top-level
// collections with their usages and report lengths.
struct ReportDescriptor {
    struct Collection {
        std::uint16_t usagePage = 0;
        std::uint16_t usage = 0;
        // Longest report of each type in this collection, in bytes, with one leading byte for the
        // report ID (0 on the wire when the device numbers no reports); 0 = no report of that type.
        std::uint16_t featureReportLength = 0;
        std::uint16_t inputReportLength = 0;
        std::uint16_t outputReportLength = 0;
    };

    // Whether any Report ID item appears: then every report travels with its ID byte.
    bool usesReportIds = false;
    // Top-level collections in descriptor order.
    std::vector<Collection> collections;

    // Largest descriptor the kernel hands out (HID_MAX_DESCRIPTOR_SIZE).
    static constexpr std::size_t kMaxDescriptorBytes = 4096;

    // Parses the raw descriptor bytes. Returns nothing when they are malformed: a truncated item,
    // an unbalanced collection or Pop, a report ID of 0, absurd sizes, or more than
    // kMaxDescriptorBytes. Work is linear in the input; no input makes it allocate without bound.
    static std::optional<ReportDescriptor> parse(std::span<const std::uint8_t> bytes);
};

} // namespace vexo
