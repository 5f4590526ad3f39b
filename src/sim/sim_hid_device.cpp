// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "sim/sim_hid_device.h"

namespace vexo {

SimHidDevice::SimHidDevice(std::shared_ptr<SimMouse> mouse, SimMouse::Collection collection, HidBackend::Access access)
    : mouse_(std::move(mouse)), collection_(collection), access_(access), epoch_(mouse_->epoch()) {}

SimHidDevice::~SimHidDevice() { mouse_->noteHandleClosed(reading_.load() > 0); }

int SimHidDevice::setFeature(std::span<const std::uint8_t> report) {
    if (!isCommand() || access_ != HidBackend::Access::ReadWrite)
        return -1;
    return mouse_->setFeature(epoch_, report);
}

int SimHidDevice::getFeature(std::span<std::uint8_t> report) {
    if (!isCommand() || access_ != HidBackend::Access::ReadWrite)
        return -1;
    return mouse_->getFeature(epoch_, report);
}

int SimHidDevice::write(std::span<const std::uint8_t> report) {
    if (!isCommand() || access_ != HidBackend::Access::ReadWrite)
        return -1;
    return mouse_->writeOutput(epoch_, report);
}

int SimHidDevice::read(std::span<std::uint8_t> report) {
    if (isCommand())
        return mouse_->readInput(epoch_, report);
    if (collection_ != SimMouse::Collection::Notify)
        return -1;
    ++reading_;
    mouse_->noteReaderEnters();
    const int n = mouse_->readNotice(epoch_, report, cancelled_);
    mouse_->noteReaderLeaves();
    --reading_;
    return n;
}

void SimHidDevice::discardInput() {
    if (isCommand())
        mouse_->discardInput(epoch_);
}

void SimHidDevice::cancelRead() { mouse_->cancelNoticeRead(cancelled_); }

} // namespace vexo
