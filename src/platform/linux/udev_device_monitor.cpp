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

int UdevDeviceMonitor::pollFd() const {
    return monitor_ == nullptr ? -1 : udev_monitor_get_fd(monitor_);
}

std::vector<DeviceChange> UdevDeviceMonitor::takeChanges() {
    std::vector<DeviceChange> changes;
    if (monitor_ == nullptr)
        return changes;
    // The monitor's socket is non-blocking: receive until it is empty.
    while (udev_device* device = udev_monitor_receive_device(monitor_)) {
        const char* action = udev_device_get_action(device);
        const char* node = udev_device_get_devnode(device);
        const bool arrival = action != nullptr && std::strcmp(action, "add") == 0;
        const bool removal = action != nullptr && std::strcmp(action, "remove") == 0;
        if ((arrival || removal) && node != nullptr) {
            // The parent's HID_ID names the device while it is there; a removed node's parent may
            // be gone from sysfs already, but its device path still carries the same numbers.
            std::optional<HidIds> ids;
            if (udev_device* parent = udev_device_get_parent_with_subsystem_devtype(device, "hid", nullptr))
                if (const char* hidId = udev_device_get_property_value(parent, "HID_ID"))
                    ids = HidIds::fromHidIdProperty(hidId);
            if (!ids)
                if (const char* devpath = udev_device_get_devpath(device))
                    ids = HidIds::fromHidrawDevpath(devpath);
            DeviceChange change;
            change.kind = arrival ? DeviceChange::Kind::Arrival : DeviceChange::Kind::Removal;
            change.path = node;
            if (ids) {
                change.vendorId = ids->vendorId;
                change.productId = ids->productId;
            }
            changes.push_back(std::move(change));
        }
        udev_device_unref(device);
    }
    return changes;
}

} // namespace vexo
