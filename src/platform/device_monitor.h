// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace vexo {

// One arrival or removal of a HID collection.
struct DeviceChange {
    enum class Kind { Arrival, Removal };
    Kind kind = Kind::Arrival;
    std::string path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
};

// Hot-plug notices of HID collections. Event-loop neutral: the caller watches pollFd()
// (poll(2) in a command-line tool, a QSocketNotifier in the GUI) and then drains the changes.
class DeviceMonitor {
public:
    virtual ~DeviceMonitor() = default;
    // Starts listening. Returns false when the system refuses (no udev, no permission).
    virtual bool start() = 0;
    // A file descriptor that becomes readable when changes are pending; -1 before start().
    virtual int pollFd() const = 0;
    // The changes that arrived since the last call, oldest first; never blocks.
    virtual std::vector<DeviceChange> takeChanges() = 0;
};

} // namespace vexo
