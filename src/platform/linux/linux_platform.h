// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <memory>

#include "platform/device_monitor.h"
#include "platform/hid_backend.h"

namespace vexo {

// The machine's HID collections: its hidraw nodes, listed through libudev and sysfs.
std::unique_ptr<HidBackend> makeHidBackend();
// Arrival and removal of hidraw nodes through a udev monitor; call start() before use.
std::unique_ptr<DeviceMonitor> makeDeviceMonitor();

} // namespace vexo
