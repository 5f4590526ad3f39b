// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "sim/sim_mouse.h"

namespace vexo {

// A timed script of what the simulated mouse does on its own: notices, unplugging, plugging.
class SimNoticeScript {
public:
    struct Step {
        enum class Action { Notice, Unplug, Plug };
        std::chrono::milliseconds delay{0}; // after the previous step
        Action action = Action::Notice;
        std::uint8_t kind = 0;
        std::uint8_t value = 0;
    };

    // The short demonstration: a report rate, DPI stage, key group and macro notice, an unplug and a
    // replug, and one more DPI stage notice, about half a second apart.
    static std::vector<Step> demo();

    // Plays steps against mouse in a thread of its own; ends early when destroyed.
    SimNoticeScript(std::shared_ptr<SimMouse> mouse, std::vector<Step> steps);
    ~SimNoticeScript();
    SimNoticeScript(const SimNoticeScript&) = delete;
    SimNoticeScript& operator=(const SimNoticeScript&) = delete;

    // Blocks until every step has been played.
    void wait();

private:
    void play();

    std::shared_ptr<SimMouse> mouse_;
    std::vector<Step> steps_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool stopping_ = false;
    bool finished_ = false;
    std::thread thread_;
};

} // namespace vexo
