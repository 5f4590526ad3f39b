// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QObject>
#include <memory>

#include "platform/device_monitor.h"

class QSocketNotifier;

namespace vexo {

// Brings a DeviceMonitor into the Qt event loop: watches its pollFd() and emits each change,
// oldest first, on the thread that owns this object.
class DeviceMonitorNotifier final : public QObject {
    Q_OBJECT
public:
    // monitor must have been started and must outlive this object. Without a descriptor
    // (monitor not started) the notifier stays inactive and emits nothing.
    explicit DeviceMonitorNotifier(DeviceMonitor& monitor, QObject* parent = nullptr);
    ~DeviceMonitorNotifier() override;

    bool isActive() const { return notifier_ != nullptr; }

signals:
    void deviceChanged(const vexo::DeviceChange& change);

private:
    void drain();

    DeviceMonitor& monitor_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace vexo
