// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/frame/frame_actions.h"

namespace vexo::test {

// Records what the frame asked for, in order.
class RecordingFrameActions final : public FrameActions {
public:
    bool present = false;
    std::vector<std::string> calls;

    bool synced = false; // what a first prepareBasicPage() with a mouse did
    // applyConfig keeps its done in pendingApply instead of running it, as while a save runs.
    bool holdApply = false;
    std::function<void()> pendingApply;

    bool mousePresent() const override { return present; }
    bool prepareBasicPage() override {
        calls.push_back("prepareBasicPage");
        if (synced || !present)
            return false;
        return synced = true;
    }
    void applyConfig(std::function<void()> done) override {
        calls.push_back("applyConfig");
        if (holdApply)
            pendingApply = std::move(done); // as a save still running
        else
            done();
    }
    void takeSnapshot() override { calls.push_back("takeSnapshot"); }
    void restoreSnapshot() override { calls.push_back("restoreSnapshot"); }
    void applyDesktopSettings() override { calls.push_back("applyDesktopSettings"); }
    void openSkinPicker() override { calls.push_back("openSkinPicker"); }
    void openUrl(const std::string& url) override { calls.push_back("openUrl " + url); }
    void shutdown() override { calls.push_back("shutdown"); }
};

} // namespace vexo::test
