// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/linux/linux_platform.h"

#include "platform/linux/hidraw_backend.h"
#include "platform/linux/udev_device_monitor.h"

namespace vexo {

std::unique_ptr<HidBackend> makeHidBackend() { return std::make_unique<HidrawBackend>(); }

std::unique_ptr<DeviceMonitor> makeDeviceMonitor() { return std::make_unique<UdevDeviceMonitor>(); }

} // namespace vexo
