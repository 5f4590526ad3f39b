// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The shell's own pieces: notice texts, the command line, the hand-over of notices between threads.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <atomic>
#include <thread>

#include "app/app_options.h"
#include "app/notice_bridge.h"
#include "app/tracing_tray_icon.h"
#include "app/tray_notice.h"
#include "recording_tray_icon.h"
#include "device/device_notice_listener.h"
#include "../ui/qt_test_main.h"

namespace vexo {
namespace {

UiTexts Texts() {
    UiTexts t;
    t.m_strRate1000 = "R1000";
    t.m_strRate500 = "R500";
    t.m_strRate250 = "R250";
    t.m_strRate125 = "R125";
    std::string* stages[] = {&t.m_strDpiStage1, &t.m_strDpiStage2, &t.m_strDpiStage3, &t.m_strDpiStage4,
                             &t.m_strDpiStage5, &t.m_strDpiStage6, &t.m_strDpiStage7, &t.m_strDpiStage8};
    for (int i = 0; i < 8; ++i)
        *stages[i] = "Stage" + std::to_string(i + 1) + " ";
    t.m_strKeyGroup1 = "G1";
    t.m_strKeyGroup2 = "G2";
    t.m_strKeyGroup3 = "G3";
    t.m_strSwitchToMacro = "Macro";
    t.m_strNoMouse = "none";
    t.m_strMouseFound = "found";
    return t;
}

TEST(TrayNoticeTest, EveryKindAndValueHasItsTextTitleAndTimeout) {
    const UiTexts t = Texts();
    const auto info = [](std::string text, int timeout) { return TrayNotice{"Info", std::move(text), timeout}; };
    EXPECT_EQ(NoticeFor(5, 1, t, {}), info("R1000", 5000));
    EXPECT_EQ(NoticeFor(5, 2, t, {}), info("R500", 5000));
    EXPECT_EQ(NoticeFor(5, 4, t, {}), info("R250", 5000));
    EXPECT_EQ(NoticeFor(5, 8, t, {}), info("R125", 5000));
    for (std::uint8_t v : {0, 3, 5, 16, 255})
        EXPECT_FALSE(NoticeFor(5, v, t, {})) << int(v);

    EXPECT_EQ(NoticeFor(7, 1, t, 800u), info("Stage1 800", 5000));
    EXPECT_EQ(NoticeFor(7, 8, t, 16000u), info("Stage8 16000", 5000));
    EXPECT_EQ(NoticeFor(7, 3, t, std::nullopt), info("Stage3 ", 5000));
    EXPECT_FALSE(NoticeFor(7, 0, t, 800u));
    EXPECT_FALSE(NoticeFor(7, 9, t, 800u));

    EXPECT_EQ(NoticeFor(8, 1, t, {}), info("G1", 5000));
    EXPECT_EQ(NoticeFor(8, 2, t, {}), info("G2", 5000));
    EXPECT_FALSE(NoticeFor(8, 3, t, {}));
    EXPECT_FALSE(NoticeFor(8, 0, t, {}));

    EXPECT_EQ(NoticeFor(9, 7, t, {}), info("Macro7", 5000));
    EXPECT_EQ(NoticeFor(9, 255, t, {}), info("Macro255", 5000));
    EXPECT_FALSE(NoticeFor(9, 0, t, {}));

    // The presence notices stay up as long as a desktop's usual notice, not a tenth of a second.
    EXPECT_EQ(NoticeFor(14, 0, t, {}), info("found", 5000));
    EXPECT_EQ(NoticeFor(15, 0, t, {}), (TrayNotice{"Warning", "none", 5000}));
    EXPECT_FALSE(NoticeFor(15, 1, t, {}));
    for (std::uint8_t kind : {0, 1, 6, 10, 13, 16})
        EXPECT_FALSE(NoticeFor(kind, 1, t, {})) << int(kind);
}

// Each notice shown lands in the trace as one line, and still reaches the real icon.
TEST(TracingTrayIconTest, NoticesGoToTheTraceAsOneLineAndOnToTheIcon) {
    test::RecordingTrayIcon icon;
    std::vector<std::string> lines;
    TracingTrayIcon traced(icon, [&lines](const std::string& line) { lines.push_back(line); });
    traced.notice("Info", "Switch to macro\r\n7", 3000);
    traced.show("tip");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "NOTICE Info: Switch to macro  7");
    ASSERT_EQ(icon.notices.size(), 1u);
    EXPECT_EQ(icon.notices[0].text, "Switch to macro\r\n7");
    EXPECT_EQ(icon.notices[0].timeoutMs, 3000);
    EXPECT_TRUE(icon.shown);
    EXPECT_EQ(icon.tip, "tip");
}

TEST(AppOptionsTest, SimulationOptionsAndTheirValues) {
    std::string error;
    auto parse = [&](std::vector<std::string> args) { return AppOptions::parse(args, error); };
    EXPECT_FALSE(parse({})->simulate);
    EXPECT_TRUE(parse({"--simulate"})->simulate);
    EXPECT_EQ(parse({"--simulate"})->sensorType, 3);
    EXPECT_EQ(parse({"--simulate=1"})->sensorType, 1);
    EXPECT_FALSE(parse({"--simulate=4"}));
    EXPECT_NE(error.find("0 to 3"), std::string::npos);
    EXPECT_FALSE(parse({"--simulate="}));
    const auto notices = parse({"--simulate-notices"});
    ASSERT_TRUE(notices);
    EXPECT_TRUE(notices->simulate && notices->simulateNotices);
    EXPECT_TRUE(parse({"--simulate-unplugged"})->simulateUnplugged);
    EXPECT_EQ(parse({"--screenshot=a.png", "--page=advanced"})->screenshot, "a.png");
    EXPECT_TRUE(parse({"--page=advanced"})->advancedPage);
    EXPECT_FALSE(parse({"--screenshot="}));
}

TEST(NoticeBridgeTest, NoticesFromAnotherThreadRunOnTheOwnerThreadBeforeDeliverReturns) {
    QCoreApplication& app = test::TestApp();
    std::vector<std::pair<int, int>> handled;
    std::atomic<bool> ownerThread{true};
    NoticeBridge bridge([&](std::uint8_t kind, std::uint8_t value) {
        ownerThread = ownerThread && QThread::currentThread() == app.thread();
        handled.emplace_back(kind, value);
    });
    std::atomic<int> returned{0};
    std::thread input([&] {
        bridge.deliver(7, 2);
        returned = 1; // only after the handler ran
        bridge.deliver(5, 1);
        returned = 2;
    });
    QElapsedTimer timer;
    timer.start();
    while (returned < 2 && timer.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        // A deliver never returns ahead of its own handling.
        EXPECT_LE(returned.load(), int(handled.size()));
    }
    input.join();
    EXPECT_EQ(handled, (std::vector<std::pair<int, int>>{{7, 2}, {5, 1}}));
    EXPECT_TRUE(ownerThread);

    // On the owner thread the handler runs directly.
    bridge.deliver(kNoticeMousePresent, 0);
    EXPECT_EQ(handled.size(), 3u);
}

TEST(NoticeBridgeTest, CloseReleasesAWaitingInputThread) {
    test::TestApp();
    int handled = 0;
    NoticeBridge bridge([&](std::uint8_t, std::uint8_t) { ++handled; });
    std::atomic<bool> returned{false};
    std::thread input([&] {
        bridge.deliver(7, 1); // nobody runs the event loop: only close() can release it
        returned = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(returned);
    bridge.close();
    input.join();
    EXPECT_TRUE(returned);
    QCoreApplication::processEvents();
    bridge.deliver(7, 1);
    EXPECT_EQ(handled, 0); // released or later notices are dropped, not shown after shutdown
}

} // namespace
} // namespace vexo
