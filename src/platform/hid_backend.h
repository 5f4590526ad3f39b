// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/hid_device.h"

namespace vexo {

// What enumeration tells about one HID top-level collection (one interface path each).
struct HidCollectionInfo {
    std::string path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    // Report lengths as the collection announces them, report ID byte included; 0 = no such report.
    std::uint16_t featureReportLength = 0;
    std::uint16_t inputReportLength = 0;
    std::uint16_t outputReportLength = 0;
    // Set when the collection's capabilities are unknown (its lengths are then 0): its report
    // descriptor could not be read, or could not be parsed.
    enum class Failure { None, Descriptor, Capabilities };
    Failure failure = Failure::None;
};

// The machine's HID collections: enumeration and opening.
class HidBackend {
public:
    enum class Access { Read, ReadWrite };

    virtual ~HidBackend() = default;
    // Every present HID collection, in the system's order. An empty list when none or on failure.
    virtual std::vector<HidCollectionInfo> enumerate() = 0;
    // Opens one collection by path; nullptr when it cannot be opened (gone, no permission).
    virtual std::unique_ptr<HidDevice> open(const std::string& path, Access access) = 0;
    // Why the last open() failed, as an errno value (EACCES or EPERM: this user may not open the
    // collection); 0 when it succeeded.
    virtual int lastOpenError() const = 0;
};

} // namespace vexo
