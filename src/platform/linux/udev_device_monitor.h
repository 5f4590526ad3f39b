// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <optional>

#include "platform/device_monitor.h"

struct udev;
struct udev_monitor;

namespace vexo {

// Arrival and removal of hidraw nodes, from the udev daemon's netlink messages (sent after its
// rules ran, so a node that arrives already carries its access rights). Paths are the device
// nodes ("/dev/hidraw3"), the same paths enumeration gives.
class UdevDeviceMonitor final : public DeviceMonitor {
public:
    UdevDeviceMonitor() = default;
    ~UdevDeviceMonitor() override;
    UdevDeviceMonitor(const UdevDeviceMonitor&) = delete;
    UdevDeviceMonitor& operator=(const UdevDeviceMonitor&) = delete;

    bool start() override;
    int pollFd() const override;
    std::vector<DeviceChange> takeChanges() override;

    // What one udev event of a hidraw node means (any argument may be null): arrival on "add",
    // removal on "remove", nothing for other actions or a node without device name. Vendor and
    // product come from the parent HID device's HID_ID while it exists, else from the node's device
    // path (a removed node's parent may be gone from sysfs already); 0 when neither tells.
    static std::optional<DeviceChange> changeOf(const char* action, const char* devnode, const char* parentHidId,
                                                const char* devpath);

private:
    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
};

} // namespace vexo
