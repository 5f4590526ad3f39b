// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "device/device_session.h"

namespace vexo {

DeviceSession::DeviceSession(HidBackend& backend, Pauser& pauser, Prompter& prompter, DeviceNoticeListener& listener,
                             std::string applicationTitle)
    : link_(backend, prompter, listener, std::move(applicationTitle)), transport_(link_, pauser),
      commands_(transport_, image_),
      receiver_([&listener](std::uint8_t kind, std::uint8_t value) { listener.deviceNotice(kind, value); }) {}

DeviceSession::~DeviceSession() { shutdown(); }

void DeviceSession::setNoticeReceiver(NoticeReceiver receiver) { receiver_ = std::move(receiver); }

void DeviceSession::start() {
    if (link_.OpenMouse() == 1) {
        transport_.PerformHandshake();
    } else {
        link_.listener().deviceNotice(kNoticeNoMouse, 0);
        link_.setMousePresent(0);
    }
    if (link_.createInputThread(receiver_) && link_.mousePresent() == 1)
        link_.inputThread()->resume();
}

void DeviceSession::markAbsent() {
    link_.listener().deviceNotice(kNoticeNoMouse, 0);
    link_.listener().hideMainWindow();
    link_.setMousePresent(0);
}

bool DeviceSession::connectSensorBlock() {
    if (!commands_.ReadSensorBlock())
        return false;
    sensorType_ = image_.sensor[DeviceImage::kSensorTypeByte];
    image_.sensor[DeviceImage::kSensorOption2Byte] |= DeviceImage::kOption2ConnectBit;
    return commands_.WriteSensorBlock();
}

void DeviceSession::handleDeviceChange(const DeviceChange& change) {
    if (change.vendorId != HidLink::kVendorId || change.productId != HidLink::kProductId)
        return;
    if (change.kind == DeviceChange::Kind::Arrival) {
        if (link_.OpenMouse() == 0) {
            markAbsent();
            return;
        }
        transport_.PerformHandshake();
        if (link_.mousePresent() == 1) {
            connectSensorBlock();
            // A thread left suspended at a start without mouse begins reading now.
            if (link_.inputThreadExists())
                link_.inputThread()->resume();
        }
        return;
    }
    if (link_.OpenMouse() == 0) {
        markAbsent();
        return;
    }
    transport_.PerformHandshake();
}

void DeviceSession::shutdown() { link_.shutdown(); }

} // namespace vexo
