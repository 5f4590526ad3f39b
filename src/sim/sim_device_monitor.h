// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <memory>
#include <mutex>
#include <vector>

#include "base/unique_fd.h"
#include "platform/device_monitor.h"
#include "sim/sim_mouse.h"

namespace vexo {

// Hot-plug notices of the simulated mouse: one arrival or removal per interface path of the mouse
// when it is plugged or unplugged. pollFd() is an eventfd that is readable while changes are pending.
class SimDeviceMonitor final : public DeviceMonitor {
public:
    explicit SimDeviceMonitor(std::shared_ptr<SimMouse> mouse);
    ~SimDeviceMonitor() override;

    bool start() override;
    int pollFd() const override;
    std::vector<DeviceChange> takeChanges() override;

private:
    struct Shared {
        std::mutex mutex;
        std::vector<DeviceChange> pending;
        UniqueFd fd;
        bool started = false;
    };
    std::shared_ptr<SimMouse> mouse_;
    // Shared with the observer the mouse keeps, which may outlive this monitor.
    std::shared_ptr<Shared> shared_;
};

} // namespace vexo
