// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "device/device_session.h"
#include "sim/recording_pauser.h"
#include "sim/sim_hid_backend.h"
#include "sim/sim_mouse.h"
#include "support/recording_prompter.h"

namespace vexo::test {

// Records what the device link tells the main window; safe from the input thread.
class RecordingListener final : public DeviceNoticeListener {
public:
    void deviceNotice(std::uint8_t kind, std::uint8_t value) override {
        std::lock_guard lock(mutex_);
        notices_.emplace_back(kind, value);
        changed_.notify_all();
    }
    void hideMainWindow() override {
        std::lock_guard lock(mutex_);
        ++hides_;
    }
    std::vector<std::pair<int, int>> notices() const {
        std::lock_guard lock(mutex_);
        return notices_;
    }
    int hides() const {
        std::lock_guard lock(mutex_);
        return hides_;
    }
    // Waits (bounded, so that a fault fails the test instead of hanging it) for count notices.
    bool waitForNotices(std::size_t count) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(5), [&] { return notices_.size() >= count; });
    }
    void clear() {
        std::lock_guard lock(mutex_);
        notices_.clear();
        hides_ = 0;
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::pair<int, int>> notices_;
    int hides_ = 0;
};

// A simulated mouse with everything the device link needs around it.
struct SimRig {
    explicit SimRig(std::uint8_t sensorType = 3)
        : mouse(std::make_shared<SimMouse>(sensorType)), backend(mouse),
          session(backend, pauser, prompter, listener, "VEXO T58") {}

    std::shared_ptr<SimMouse> mouse;
    SimHidBackend backend;
    RecordingPauser pauser;
    RecordingPrompter prompter;
    RecordingListener listener;
    DeviceSession session;
    std::vector<std::string> trace;

    void traceAll() {
        session.transport().setTraceHook([this](const std::string& line) { trace.push_back(line); });
    }
    // Opens and handshakes without the input thread.
    bool connect() {
        if (session.link().OpenMouse() != 1)
            return false;
        session.transport().PerformHandshake();
        return session.mousePresent();
    }
    std::vector<SimExchange> exchangesOf(SimExchange::Kind kind) const {
        std::vector<SimExchange> out;
        for (auto& e : mouse->exchanges())
            if (e.kind == kind)
                out.push_back(e);
        return out;
    }
};

} // namespace vexo::test
