// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/hid_backend.h"

namespace vexo {

// HID collections of the machine's hidraw nodes. libudev lists the nodes; each node's vendor and
// product come from its HID parent's uevent and its collections and report lengths from its own
// report descriptor, both read from sysfs. A node whose entries are missing, empty or unreadable
// is one that is going away (its mouse being unplugged) and is left out, never an error.
class HidrawBackend final : public HidBackend {
public:
    // The names of the hidraw nodes present ("hidraw3"), in the system's order.
    using NodeLister = std::function<std::vector<std::string>()>;

    // The real machine: /sys, /dev and libudev's listing.
    HidrawBackend();
    // Another sysfs tree and device folder (a test's fake tree) and listing.
    HidrawBackend(std::string sysfsRoot, std::string devRoot, NodeLister lister);

    // Every collection of every listed node that is still there.
    std::vector<HidCollectionInfo> enumerate() override;
    std::unique_ptr<HidDevice> open(const std::string& path, Access access) override;
    int lastOpenError() const override { return lastOpenError_; }

    // One entry per top-level collection of one node, in descriptor order. A descriptor that does
    // not parse gives one entry with no usages, no report lengths and Failure::Capabilities, so the
    // caller can tell the user instead of passing over the device in silence.
    static std::vector<HidCollectionInfo> collectionsOf(const std::string& path, std::uint16_t vendorId,
                                                        std::uint16_t productId,
                                                        const std::vector<std::uint8_t>& descriptor);

    // The hidraw nodes libudev lists, by name; empty when udev cannot be asked.
    static std::vector<std::string> udevHidrawNames();

private:
    std::string sysfsRoot_;
    std::string devRoot_;
    NodeLister lister_;
    int lastOpenError_ = 0;
};

} // namespace vexo
