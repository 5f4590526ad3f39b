// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// Shows that a thread blocked in the Linux HID backend's cancellable read costs no wake-ups:
// counts the context switches of that thread over an idle wait, then measures how fast a
// cancel wakes it.
//   idle_read_wakeups [SECONDS] [/dev/hidrawN]
// Without a node the reader waits on an idle socket, exactly as it waits on a quiet hidraw node.
#include "platform/linux/cancellable_fd_reader.h"
#include "platform/linux/linux_platform.h"

#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

namespace {

struct Switches {
    long voluntary = -1;
    long nonvoluntary = -1;
};

Switches switchesOf(pid_t tid) {
    std::ifstream status("/proc/self/task/" + std::to_string(tid) + "/status");
    Switches s;
    std::string key;
    while (status >> key) {
        if (key == "voluntary_ctxt_switches:")
            status >> s.voluntary;
        else if (key == "nonvoluntary_ctxt_switches:")
            status >> s.nonvoluntary;
    }
    return s;
}

} // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 3;
    const std::string node = argc > 2 ? argv[2] : "";

    std::unique_ptr<vexo::HidDevice> device;
    std::unique_ptr<vexo::CancellableFdReader> socketReader;
    int peer = -1;
    if (!node.empty()) {
        device = vexo::makeHidBackend()->open(node, vexo::HidBackend::Access::Read);
        if (!device) {
            std::fprintf(stderr, "cannot open %s\n", node.c_str());
            return 1;
        }
    } else {
        int fds[2];
        if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, fds) != 0)
            return 1;
        socketReader = std::make_unique<vexo::CancellableFdReader>(fds[0]);
        peer = fds[1];
    }

    std::atomic<pid_t> tid{0};
    std::atomic<bool> returned{false};
    int result = 0;
    std::thread reader([&] {
        tid = ::gettid();
        std::array<std::uint8_t, 40> buffer{};
        result = device ? device->read(buffer) : socketReader->read(buffer);
        returned = true;
    });
    while (tid == 0)
        std::this_thread::yield();
    std::this_thread::sleep_for(std::chrono::milliseconds(200)); // let it reach poll()

    const Switches before = switchesOf(tid);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const Switches after = switchesOf(tid);

    const auto cancelAt = std::chrono::steady_clock::now();
    if (device)
        device->cancelRead();
    else
        socketReader->cancel();
    while (!returned)
        std::this_thread::yield();
    const auto wokeAfter = std::chrono::steady_clock::now() - cancelAt;
    reader.join();
    if (peer >= 0)
        ::close(peer);

    std::printf("reader thread %d blocked in read on %s for %d s\n", static_cast<int>(tid.load()),
                node.empty() ? "an idle socket" : node.c_str(), seconds);
    std::printf("  voluntary context switches:    %ld -> %ld (+%ld)\n", before.voluntary, after.voluntary,
                after.voluntary - before.voluntary);
    std::printf("  nonvoluntary context switches: %ld -> %ld (+%ld)\n", before.nonvoluntary, after.nonvoluntary,
                after.nonvoluntary - before.nonvoluntary);
    std::printf("  cancel woke it after %.1f us; read returned %d\n",
                std::chrono::duration<double, std::micro>(wokeAfter).count(), result);
    return (after.voluntary - before.voluntary) + (after.nonvoluntary - before.nonvoluntary) == 0 && result == 0 ? 0
                                                                                                                 : 3;
}
