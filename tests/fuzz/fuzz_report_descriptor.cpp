// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// libFuzzer target: the HID report descriptor parser reads whatever a device (or a virtual
// device any local user can create) announces.
#include "platform/linux/report_descriptor.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parsed = vexo::ReportDescriptor::parse(std::span<const std::uint8_t>(data, size));
    if (!parsed)
        return 0;
    // A length is either absent or the ID byte plus at least one data byte.
    for (const auto& c : parsed->collections)
        for (const auto length : {c.featureReportLength, c.inputReportLength, c.outputReportLength})
            if (length == 1)
                std::abort();
    return 0;
}
