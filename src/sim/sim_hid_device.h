// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <atomic>
#include <cstdint>
#include <memory>

#include "platform/hid_device.h"
#include "sim/sim_mouse.h"

namespace vexo {

// A handle on one collection of the simulated mouse. It dies when the mouse is unplugged and stays
// dead after a replug, like a real handle.
class SimHidDevice final : public HidDevice {
public:
    SimHidDevice(std::shared_ptr<SimMouse> mouse, SimMouse::Collection collection, HidBackend::Access access);
    ~SimHidDevice() override;

    int setFeature(std::span<const std::uint8_t> report) override;
    int getFeature(std::span<std::uint8_t> report) override;
    int write(std::span<const std::uint8_t> report) override;
    int read(std::span<std::uint8_t> report) override;
    void discardInput() override;
    void cancelRead() override;

private:
    bool isCommand() const { return collection_ == SimMouse::Collection::Command; }

    std::shared_ptr<SimMouse> mouse_;
    SimMouse::Collection collection_;
    HidBackend::Access access_;
    std::uint64_t epoch_;
    // Guarded by the mouse's lock (SimMouse::readNotice and cancelNoticeRead).
    bool cancelled_ = false;
    std::atomic<int> reading_{0};
};

} // namespace vexo
