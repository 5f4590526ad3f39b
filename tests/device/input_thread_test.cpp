// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "sim_rig.h"

namespace vexo::test {
namespace {

using Notices = std::vector<std::pair<int, int>>;

// Polls a condition that another thread makes true; gives up after 5 s so that a fault fails the
// test instead of hanging it. Not a timing assertion: healthy runs return within microseconds.
template <typename Pred>
bool eventually(Pred pred) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!pred()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}

DeviceChange changeOf(DeviceChange::Kind kind) {
    return DeviceChange{kind, "sim/hidraw1", HidLink::kVendorId, HidLink::kProductId};
}

struct InputThreadTest : ::testing::Test {
    void startAndWaitForRead() {
        rig.session.start();
        ASSERT_TRUE(eventually([&] { return rig.mouse->readersBlocked() == 1; }));
        rig.listener.clear();
    }
    InputThread& thread() { return *rig.session.link().inputThread(); }
    SimRig rig;
};

TEST_F(InputThreadTest, DeliversTheFourKindsOfNoticeInOrderWithOneReadEach) {
    startAndWaitForRead();
    EXPECT_EQ(thread().readsStarted(), 1u);
    rig.mouse->pushNotice(5, 8);
    rig.mouse->pushNotice(7, 3);
    rig.mouse->pushNotice(8, 2);
    rig.mouse->pushNotice(9, 0xA5);
    ASSERT_TRUE(rig.listener.waitForNotices(4));
    EXPECT_EQ(rig.listener.notices(), (Notices{{5, 8}, {7, 3}, {8, 2}, {9, 0xA5}}));
    ASSERT_TRUE(eventually([&] { return rig.mouse->readersBlocked() == 1; }));
    // One read per report and then a wait: no extra passes through the loop.
    EXPECT_EQ(thread().readsStarted(), 5u);
}

TEST_F(InputThreadTest, IgnoresOtherReportsAndKinds) {
    startAndWaitForRead();
    rig.mouse->pushNotificationReport({5, 7, 0, 3}); // other report ID
    rig.mouse->pushNotificationReport({6, 6, 0, 3}); // other kind
    rig.mouse->pushNotificationReport({6, 14, 0, 0}); // presence kinds never come from the mouse
    rig.mouse->pushNotificationReport({6}); // too short for a kind
    rig.mouse->pushNotificationReport(std::vector<std::uint8_t>(64, 6)); // longer than the buffer
    rig.mouse->pushNotificationReport({6, 7}); // short: the missing value counts as 0
    ASSERT_TRUE(rig.listener.waitForNotices(1));
    ASSERT_TRUE(eventually([&] { return thread().readsStarted() == 7u; }));
    EXPECT_EQ(rig.listener.notices(), (Notices{{7, 0}}));
}

TEST_F(InputThreadTest, NoticesWhileNoUsableMouseAreDropped) {
    startAndWaitForRead();
    rig.session.link().setMousePresent(0);
    rig.mouse->pushNotice(7, 1);
    ASSERT_TRUE(eventually([&] { return thread().readsStarted() == 1u && rig.mouse->readersBlocked() == 0; }));
    rig.session.link().setMousePresent(1);
    rig.mouse->pushNotice(7, 2);
    ASSERT_TRUE(rig.listener.waitForNotices(1));
    EXPECT_EQ(rig.listener.notices(), (Notices{{7, 2}}));
}

TEST_F(InputThreadTest, ReceiverIsSynchronous) {
    std::mutex mutex;
    std::condition_variable released;
    bool release = false;
    std::atomic<int> delivered{0};
    rig.session.setNoticeReceiver([&](std::uint8_t, std::uint8_t) {
        ++delivered;
        std::unique_lock lock(mutex);
        released.wait(lock, [&] { return release; });
    });
    startAndWaitForRead();
    rig.mouse->pushNotice(7, 1);
    rig.mouse->pushNotice(7, 2);
    ASSERT_TRUE(eventually([&] { return delivered.load() == 1; }));
    // While the receiver holds the first notice, the second is not read.
    EXPECT_EQ(rig.mouse->readersBlocked(), 0);
    EXPECT_EQ(thread().readsStarted(), 1u);
    {
        std::lock_guard lock(mutex);
        release = true;
    }
    released.notify_all();
    ASSERT_TRUE(eventually([&] { return delivered.load() == 2; }));
    rig.session.shutdown();
}

TEST_F(InputThreadTest, CommandCollectionFirstStillDeliversNotices) {
    SimFaults faults;
    faults.commandCollectionFirst = true;
    rig.mouse->setFaults(faults);
    rig.session.start();
    EXPECT_TRUE(rig.session.mousePresent());
    ASSERT_TRUE(eventually([&] { return rig.mouse->readersBlocked() == 1; }));
    rig.mouse->pushNotice(7, 1);
    ASSERT_TRUE(eventually([&] { return rig.listener.notices().size() == 2; }));
    rig.session.shutdown();
    EXPECT_EQ(rig.listener.notices(), (Notices{{14, 0}, {7, 1}}));
}

TEST_F(InputThreadTest, ReopenWakesTheThreadAndNeverClosesTheHandleItIsReading) {
    startAndWaitForRead();
    for (int i = 0; i < 20; ++i) {
        // The removal of another interface reopens both collections while the thread is blocked.
        rig.session.handleDeviceChange(changeOf(DeviceChange::Kind::Removal));
        ASSERT_TRUE(eventually([&] { return rig.mouse->readersBlocked() == 1; }));
    }
    EXPECT_EQ(rig.mouse->handlesClosedWhileReading(), 0);
    EXPECT_EQ(thread().readsStarted(), 21u);
    rig.mouse->pushNotice(8, 1);
    ASSERT_TRUE(rig.listener.waitForNotices(21));
    EXPECT_EQ(rig.listener.notices().back(), (std::pair<int, int>{8, 1}));
}

TEST_F(InputThreadTest, ShutdownWakesABlockedThreadAtOnce) {
    startAndWaitForRead();
    rig.session.shutdown();
    EXPECT_EQ(rig.mouse->readersBlocked(), 0);
    EXPECT_EQ(rig.mouse->handlesClosedWhileReading(), 0);
    rig.session.shutdown(); // twice is harmless
}

TEST_F(InputThreadTest, UnplugStopsReadingUntilTheMouseIsBack) {
    startAndWaitForRead();
    rig.mouse->unplug();
    ASSERT_TRUE(eventually([&] { return rig.mouse->readersBlocked() == 0; }));
    rig.session.handleDeviceChange(changeOf(DeviceChange::Kind::Removal));
    // The dead handle is not read again and again.
    EXPECT_EQ(thread().readsStarted(), 1u);

    rig.mouse->plug();
    rig.session.handleDeviceChange(changeOf(DeviceChange::Kind::Arrival));
    ASSERT_TRUE(eventually([&] { return rig.mouse->readersBlocked() == 1; }));
    rig.mouse->pushNotice(5, 2);
    ASSERT_TRUE(eventually([&] { return rig.listener.notices().size() == 3; }));
    EXPECT_EQ(rig.listener.notices(), (Notices{{15, 0}, {14, 0}, {5, 2}}));
    EXPECT_EQ(rig.mouse->handlesClosedWhileReading(), 0);
}

TEST_F(InputThreadTest, StartedWithoutMouseTheThreadWaitsUntilTheFirstArrival) {
    rig.mouse->unplug();
    rig.session.start();
    EXPECT_TRUE(thread().suspended());
    rig.mouse->plug();
    rig.session.handleDeviceChange(changeOf(DeviceChange::Kind::Arrival));
    EXPECT_FALSE(thread().suspended());
    ASSERT_TRUE(eventually([&] { return rig.mouse->readersBlocked() == 1; }));
    rig.mouse->pushNotice(7, 4);
    ASSERT_TRUE(rig.listener.waitForNotices(3));
    EXPECT_EQ(rig.listener.notices(), (Notices{{15, 0}, {14, 0}, {7, 4}}));
}

} // namespace
} // namespace vexo::test
