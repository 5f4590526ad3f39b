// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "sim/sim_notice_script.h"

#include "device/device_notice_listener.h"

namespace vexo {

std::vector<SimNoticeScript::Step> SimNoticeScript::demo() {
    using namespace std::chrono_literals;
    using A = Step::Action;
    return {
        {500ms, A::Notice, kNoticeReportRate, 2},
        {500ms, A::Notice, kNoticeDpiStage, 3},
        {500ms, A::Notice, kNoticeKeyGroup, 2},
        {500ms, A::Notice, kNoticeMacroKey, 1},
        {500ms, A::Unplug, 0, 0},
        {1000ms, A::Plug, 0, 0},
        {500ms, A::Notice, kNoticeDpiStage, 1},
    };
}

SimNoticeScript::SimNoticeScript(std::shared_ptr<SimMouse> mouse, std::vector<Step> steps)
    : mouse_(std::move(mouse)), steps_(std::move(steps)), thread_([this] { play(); }) {}

SimNoticeScript::~SimNoticeScript() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        changed_.notify_all();
    }
    thread_.join();
}

void SimNoticeScript::wait() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return finished_; });
}

void SimNoticeScript::play() {
    for (const Step& step : steps_) {
        {
            std::unique_lock lock(mutex_);
            if (changed_.wait_for(lock, step.delay, [&] { return stopping_; }))
                break;
        }
        switch (step.action) {
        case Step::Action::Notice: mouse_->pushNotice(step.kind, step.value); break;
        case Step::Action::Unplug: mouse_->unplug(); break;
        case Step::Action::Plug: mouse_->plug(); break;
        }
    }
    std::lock_guard lock(mutex_);
    finished_ = true;
    changed_.notify_all();
}

} // namespace vexo
