#pragma once
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

private:
    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
};

} // namespace vexo
