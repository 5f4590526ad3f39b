// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "sim/sim_device_monitor.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>
#include <set>

namespace vexo {

SimDeviceMonitor::SimDeviceMonitor(std::shared_ptr<SimMouse> mouse)
    : mouse_(std::move(mouse)), shared_(std::make_shared<Shared>()) {}

SimDeviceMonitor::~SimDeviceMonitor() {
    std::lock_guard lock(shared_->mutex);
    shared_->fd.reset();
    shared_->started = false;
}

bool SimDeviceMonitor::start() {
    {
        std::lock_guard lock(shared_->mutex);
        if (shared_->started)
            return true;
        shared_->fd.reset(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC));
        if (!shared_->fd)
            return false;
        shared_->started = true;
    }
    std::weak_ptr<Shared> weak = shared_;
    mouse_->addPlugObserver([weak](bool plugged, const std::vector<HidCollectionInfo>& collections) {
        auto shared = weak.lock();
        if (!shared)
            return;
        std::lock_guard lock(shared->mutex);
        if (!shared->started)
            return;
        std::set<std::string> paths;
        for (const HidCollectionInfo& info : collections) {
            if (info.vendorId != SimMouse::kVendorId || !paths.insert(info.path).second)
                continue;
            shared->pending.push_back(DeviceChange{plugged ? DeviceChange::Kind::Arrival : DeviceChange::Kind::Removal,
                                                   info.path, info.vendorId, info.productId});
        }
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = ::write(shared->fd.get(), &one, sizeof one);
    });
    return true;
}

int SimDeviceMonitor::pollFd() const {
    std::lock_guard lock(shared_->mutex);
    return shared_->fd.get();
}

std::vector<DeviceChange> SimDeviceMonitor::takeChanges() {
    std::lock_guard lock(shared_->mutex);
    if (shared_->fd) {
        std::uint64_t count = 0;
        [[maybe_unused]] const auto read = ::read(shared_->fd.get(), &count, sizeof count);
    }
    std::vector<DeviceChange> changes;
    changes.swap(shared_->pending);
    return changes;
}

} // namespace vexo
