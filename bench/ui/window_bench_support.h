// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
// What the window's benchmark programs share: a frame that asks nothing of the program, and a
// main() that runs them on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <string>

#include "ui/frame/frame_actions.h"

namespace vexo::bench {

// Frame actions that do nothing; mousePresent answers as told.
class IdleFrameActions final : public FrameActions {
public:
    explicit IdleFrameActions(bool mouse = false) : mouse_(mouse) {}
    bool mousePresent() const override { return mouse_; }
    bool prepareBasicPage() override { return false; }
    void applyConfig(std::function<void()> done) override { done(); }
    void takeSnapshot() override {}
    void restoreSnapshot() override {}
    void applyDesktopSettings() override {}
    void openSkinPicker() override {}
    void openUrl(const std::string&) override {}
    void shutdown() override {}

private:
    bool mouse_;
};

// Runs the registered benchmarks under a QApplication. Offscreen unless the caller chose a
// platform, so the figures do not depend on a display.
inline int RunWindowBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace vexo::bench
