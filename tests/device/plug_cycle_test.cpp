// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// A thousand unplug and replug cycles with notices in flight must leave the process as it was:
// the same open descriptors and threads, and no memory that grows with the cycles.
#include <gtest/gtest.h>

#include <dirent.h>

#include <fstream>
#include <iostream>
#include <string>
#include <thread>

#include "sim_rig.h"

namespace vexo::test {
namespace {

// Sanitizers keep shadow memory and quarantines that grow with every allocation, so resident memory
// says nothing about leaks there (LeakSanitizer checks those instead).
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kMemoryIsMeaningful = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
constexpr bool kMemoryIsMeaningful = false;
#else
constexpr bool kMemoryIsMeaningful = true;
#endif
#else
constexpr bool kMemoryIsMeaningful = true;
#endif

struct Usage {
    int descriptors = 0;
    int threads = 0;
    long rssKiB = 0;
};

Usage currentUsage() {
    Usage usage;
    if (DIR* dir = ::opendir("/proc/self/fd")) {
        while (const dirent* entry = ::readdir(dir))
            if (entry->d_name[0] != '.')
                ++usage.descriptors;
        ::closedir(dir);
        --usage.descriptors; // the one opendir holds
    }
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("Threads:"))
            usage.threads = std::stoi(line.substr(8));
        if (line.starts_with("VmRSS:"))
            usage.rssKiB = std::stol(line.substr(6));
    }
    return usage;
}

DeviceChange changeOf(DeviceChange::Kind kind) {
    return DeviceChange{kind, "sim/hidraw2", HidLink::kVendorId, HidLink::kProductId};
}

TEST(PlugCycleTest, AThousandReplugsWithNoticesInFlightLeaveDescriptorsThreadsAndMemoryFlat) {
    for (const bool commandFirst : {false, true}) {
        SCOPED_TRACE(commandFirst ? "command collection listed first" : "notification collection listed first");
        SimRig rig;
        rig.mouse->setRecording(false);
        SimFaults faults;
        faults.commandCollectionFirst = commandFirst;
        rig.mouse->setFaults(faults);
        rig.session.start();
        ASSERT_TRUE(rig.session.mousePresent());

        int lost = 0;
        auto cycle = [&](int i) {
            const auto value = static_cast<std::uint8_t>(i % 8 + 1);
            // One notice may still be on its way when the mouse goes; it may be lost, never misdelivered.
            rig.mouse->pushNotice(kNoticeDpiStage, value);
            rig.mouse->unplug();
            rig.session.handleDeviceChange(changeOf(DeviceChange::Kind::Removal));
            rig.mouse->plug();
            rig.session.handleDeviceChange(changeOf(DeviceChange::Kind::Arrival));
            // After every replug the notices arrive again.
            rig.mouse->pushNotice(kNoticeReportRate, 1);
            const std::pair<int, int> expected{kNoticeReportRate, 1};
            bool arrived = false;
            // Bounded, so that a notice that never comes fails the test instead of hanging it.
            for (int wait = 0; wait < 5000 && !arrived; ++wait) {
                const auto notices = rig.listener.notices();
                arrived = !notices.empty() && notices.back() == expected;
                if (!arrived)
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            if (!arrived)
                ++lost;
            rig.listener.clear();
            rig.pauser.clear();
        };
        for (int i = 0; i < 50; ++i)
            cycle(i); // warm-up: allocators and caches settle
        const Usage before = currentUsage();
        for (int i = 0; i < 1000; ++i)
            cycle(i);
        const Usage after = currentUsage();
        std::cout << "[ usage    ] " << (commandFirst ? "command first" : "notification first") << ": descriptors "
                  << before.descriptors << " -> " << after.descriptors << ", threads " << before.threads << " -> "
                  << after.threads << ", RSS " << before.rssKiB << " -> " << after.rssKiB << " KiB over 1000 cycles\n";
        EXPECT_EQ(lost, 0);
        EXPECT_TRUE(rig.session.mousePresent());
        EXPECT_EQ(after.descriptors, before.descriptors);
        EXPECT_EQ(after.threads, before.threads);
        // A leak of even 64 bytes a cycle would show as 64 KiB; allow the allocator some slack.
        if (kMemoryIsMeaningful) {
            EXPECT_LT(after.rssKiB - before.rssKiB, 256) << "memory grows with the cycles";
        }
        EXPECT_EQ(rig.mouse->handlesClosedWhileReading(), 0);
    }
}

} // namespace
} // namespace vexo::test
