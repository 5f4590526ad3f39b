// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/qt/device_monitor_notifier.h"

#include <QSocketNotifier>

namespace vexo {

DeviceMonitorNotifier::DeviceMonitorNotifier(DeviceMonitor& monitor, QObject* parent)
    : QObject(parent), monitor_(monitor) {
    const int fd = monitor_.pollFd();
    if (fd < 0)
        return;
    notifier_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &DeviceMonitorNotifier::drain);
}

DeviceMonitorNotifier::~DeviceMonitorNotifier() = default;

void DeviceMonitorNotifier::drain() {
    // takeChanges() empties the descriptor, so the level-triggered notifier falls quiet again.
    for (const DeviceChange& change : monitor_.takeChanges())
        emit deviceChanged(change);
}

} // namespace vexo
