// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/linux/udev_device_monitor.h"

#include <cstring>
#include <libudev.h>

#include "platform/linux/hid_ids.h"

namespace vexo {

UdevDeviceMonitor::~UdevDeviceMonitor() {
    if (monitor_ != nullptr)
        udev_monitor_unref(monitor_);
    if (udev_ != nullptr)
        udev_unref(udev_);
}

bool UdevDeviceMonitor::start() {
    if (monitor_ != nullptr)
        return true;
    if (udev_ == nullptr)
        udev_ = udev_new();
    if (udev_ == nullptr)
        return false;
    udev_monitor* monitor = udev_monitor_new_from_netlink(udev_, "udev");
    if (monitor == nullptr)
        return false;
    if (udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor) < 0) {
        udev_monitor_unref(monitor);
        return false;
    }
    monitor_ = monitor;
    return true;
}

int UdevDeviceMonitor::pollFd() const { return monitor_ == nullptr ? -1 : udev_monitor_get_fd(monitor_); }

std::vector<DeviceChange> UdevDeviceMonitor::takeChanges() {
    std::vector<DeviceChange> changes;
    if (monitor_ == nullptr)
        return changes;
    // The monitor's socket is non-blocking: receive until it is empty.
    while (udev_device* device = udev_monitor_receive_device(monitor_)) {
        const char* hidId = nullptr;
        if (udev_device* parent = udev_device_get_parent_with_subsystem_devtype(device, "hid", nullptr))
            hidId = udev_device_get_property_value(parent, "HID_ID");
        if (auto change = changeOf(udev_device_get_action(device), udev_device_get_devnode(device), hidId,
                                   udev_device_get_devpath(device)))
            changes.push_back(std::move(*change));
        udev_device_unref(device);
    }
    return changes;
}

std::optional<DeviceChange> UdevDeviceMonitor::changeOf(const char* action, const char* devnode,
                                                        const char* parentHidId, const char* devpath) {
    if (action == nullptr || devnode == nullptr)
        return std::nullopt;
    DeviceChange change;
    if (std::strcmp(action, "add") == 0)
        change.kind = DeviceChange::Kind::Arrival;
    else if (std::strcmp(action, "remove") == 0)
        change.kind = DeviceChange::Kind::Removal;
    else
        return std::nullopt;
    change.path = devnode;
    std::optional<HidIds> ids;
    if (parentHidId != nullptr)
        ids = HidIds::fromHidIdProperty(parentHidId);
    if (!ids && devpath != nullptr)
        ids = HidIds::fromHidrawDevpath(devpath);
    if (ids) {
        change.vendorId = ids->vendorId;
        change.productId = ids->productId;
    }
    return change;
}

} // namespace vexo
