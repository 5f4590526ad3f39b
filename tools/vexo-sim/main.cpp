// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// vexo-sim: the simulated mouse as a virtual USB HID device (04D9:A09F) through /dev/uhid, so the
// utility can be tried through the real kernel HID path (hidraw, udev) without hardware.
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>

#include "sim/sim_mouse.h"
#include "sim_descriptors.h"
#include "uhid_bridge.h"
#include "uhid_device.h"

namespace {

using namespace vexo;

constexpr const char* kUsage =
    "usage: vexo-sim [--sensor=N] [--order=command-first|notification-first]\n"
    "Creates a virtual VEXO T58 mouse (USB 04D9:A09F) with its command and notification\n"
    "interfaces through /dev/uhid, answered by the simulated firmware, until interrupted.\n"
    "  --sensor=N   sensor type 0-3 the firmware reports (default 3)\n"
    "  --order=...  which interface is created first, at start and at every plug (default\n"
    "               command-first); the system lists them in that order\n"
    "Commands on standard input, one a line:\n"
    "  notice KIND VALUE   the mouse sends a notice (kinds 5, 7, 8, 9)\n"
    "  unplug | plug       removes or brings back the virtual device\n"
    "  fault short-read N  block reports go out with only N bytes (report ID counted), as a\n"
    "                      short transfer would deliver them; 'fault none' ends it\n"
    "  quit                ends the program (as Ctrl+C does)\n"
    "Needs write access to /dev/uhid (usually root). Install the udev rule so that the user\n"
    "running the utility may open the virtual mouse's hidraw nodes.\n";

struct Devices {
    UhidDevice command;
    UhidDevice notification;
    // The real mouse's interface order is not known, so the program must cope with both.
    bool notificationFirst = false;

    bool create() {
        auto makeCommand = [&] {
            return command.create("VEXO T58 simulated command interface", SimMouse::kVendorId, SimMouse::kProductId,
                                  kCommandInterfaceDescriptor);
        };
        auto makeNotification = [&] {
            return notification.create("VEXO T58 simulated notification interface", SimMouse::kVendorId,
                                       SimMouse::kProductId, kNotificationInterfaceDescriptor);
        };
        return notificationFirst ? makeNotification() && makeCommand() : makeCommand() && makeNotification();
    }
    std::string error() const { return !command.error().empty() ? command.error() : notification.error(); }
    void destroy() {
        command.destroy();
        notification.destroy();
    }
};

// Hands the firmware's notification reports to the notification interface from a thread of its
// own, since the firmware's notice read blocks.
class NoticeForwarder {
public:
    NoticeForwarder(std::shared_ptr<SimMouse> mouse, UhidBridge& bridge) : mouse_(std::move(mouse)), bridge_(bridge) {
        thread_ = std::thread([this] { run(); });
    }
    ~NoticeForwarder() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        mouse_->cancelNoticeRead(cancelled_);
        replugged_.notify_all();
        thread_.join();
    }
    // After a replug: read from the new mouse epoch.
    void replugged() {
        std::lock_guard lock(mutex_);
        replugged_.notify_all();
    }

private:
    void run() {
        for (;;) {
            const std::uint64_t epoch = mouse_->epoch();
            std::array<std::uint8_t, 40> report{};
            const int n = mouse_->readNotice(epoch, report, cancelled_);
            std::unique_lock lock(mutex_);
            if (stopping_)
                return;
            if (n > 0)
                bridge_.forwardNotice(std::span(report).first(static_cast<std::size_t>(n)));
            else if (n < 0) // unplugged: wait until plugged again or stopped
                replugged_.wait(lock, [&] { return stopping_ || (mouse_->plugged() && mouse_->epoch() != epoch); });
        }
    }

    std::shared_ptr<SimMouse> mouse_;
    UhidBridge& bridge_;
    std::mutex mutex_;
    std::condition_variable replugged_;
    bool stopping_ = false;
    bool cancelled_ = false;
    std::thread thread_;
};

void drain(UhidDevice& device, UhidBridge& bridge) {
    while (auto request = device.readRequest())
        bridge.handle(*request);
}

} // namespace

int main(int argc, char** argv) {
    int sensor = 3;
    bool notificationFirst = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (arg.rfind("--sensor=", 0) == 0 && arg.size() == 10 && arg[9] >= '0' && arg[9] <= '3') {
            sensor = arg[9] - '0';
            continue;
        }
        if (arg == "--order=command-first" || arg == "--order=notification-first") {
            notificationFirst = arg == "--order=notification-first";
            continue;
        }
        std::cerr << "vexo-sim: unknown option '" << arg << "'\n" << kUsage;
        return 2;
    }

    if (::access(UhidDevice::kNode, F_OK) != 0) {
        std::cerr << "vexo-sim: this kernel offers no " << UhidDevice::kNode
                  << ", so no virtual device can be created.\n"
                     "Load the uhid module (sudo modprobe uhid) or use the simulated mouse inside the "
                     "programs instead (vexo --simulate, vexoctl --simulate).\n";
        return 1;
    }

    // Signals arrive through a descriptor, so the loop below ends cleanly on Ctrl+C.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    const int signalFd = signalfd(-1, &signals, SFD_CLOEXEC);

    auto mouse = std::make_shared<SimMouse>(static_cast<std::uint8_t>(sensor));
    Devices devices;
    devices.notificationFirst = notificationFirst;
    if (!devices.create()) {
        std::cerr << "vexo-sim: " << devices.error() << "\n";
        return 1;
    }
    UhidBridge commandBridge(mouse, UhidBridge::Interface::Command,
                             [&](const uhid_event& e) { devices.command.send(e); });
    // The notice thread sends on the notification device while this thread may unplug it.
    std::mutex notificationMutex;
    UhidBridge notificationBridge(mouse, UhidBridge::Interface::Notification, [&](const uhid_event& e) {
        std::lock_guard lock(notificationMutex);
        devices.notification.send(e);
    });
    NoticeForwarder forwarder(mouse, notificationBridge);
    std::cout << "vexo-sim: virtual VEXO T58 (04D9:A09F) created, " << (notificationFirst ? "notification" : "command")
              << " interface first; commands: notice KIND VALUE, unplug, plug, quit" << std::endl;

    bool stdinOpen = true;
    std::string pending;
    for (bool running = true; running;) {
        std::array<pollfd, 4> fds = {{{devices.command.fd(), POLLIN, 0},
                                      {devices.notification.fd(), POLLIN, 0},
                                      {stdinOpen ? STDIN_FILENO : -1, POLLIN, 0},
                                      {signalFd, POLLIN, 0}}};
        if (::poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            std::perror("vexo-sim: poll");
            break;
        }
        if (fds[0].revents & POLLIN)
            drain(devices.command, commandBridge);
        if (fds[1].revents & POLLIN)
            drain(devices.notification, notificationBridge);
        if (fds[3].revents & POLLIN)
            running = false;
        if (fds[2].revents & (POLLIN | POLLHUP)) {
            char chunk[256];
            const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
            if (n <= 0) {
                stdinOpen = false; // no more commands; run until interrupted
                continue;
            }
            pending.append(chunk, static_cast<std::size_t>(n));
            for (std::size_t end; running && (end = pending.find('\n')) != std::string::npos;) {
                std::istringstream line(pending.substr(0, end));
                pending.erase(0, end + 1);
                std::string word;
                line >> word;
                unsigned kind = 0, value = 0;
                if (word == "notice" && (line >> kind >> value) && kind <= 0xFF && value <= 0xFF) {
                    mouse->pushNotice(static_cast<std::uint8_t>(kind), static_cast<std::uint8_t>(value));
                } else if (word == "unplug") {
                    mouse->unplug();
                    std::lock_guard lock(notificationMutex);
                    devices.destroy();
                } else if (word == "plug") {
                    if (!devices.command.created()) {
                        mouse->plug();
                        std::unique_lock lock(notificationMutex);
                        const bool created = devices.create();
                        lock.unlock();
                        if (!created) {
                            std::cerr << "vexo-sim: " << devices.error() << "\n";
                            running = false;
                        }
                        commandBridge.attach();
                        notificationBridge.attach();
                        forwarder.replugged();
                    }
                } else if (word == "fault") {
                    std::string kind;
                    int bytes = -1;
                    line >> kind;
                    SimFaults faults;
                    if (kind == "short-read" && (line >> bytes) && bytes >= 0 && bytes <= 33) {
                        faults.shortRead = bytes;
                        mouse->setFaults(faults);
                    } else if (kind == "none") {
                        mouse->setFaults(faults);
                    } else {
                        std::cerr << "vexo-sim: unknown fault (fault short-read N, fault none)\n";
                    }
                } else if (word == "quit") {
                    running = false;
                } else if (!word.empty()) {
                    std::cerr << "vexo-sim: unknown command '" << word
                              << "' (notice KIND VALUE, unplug, plug, fault, quit)\n";
                }
            }
        }
    }
    {
        std::lock_guard lock(notificationMutex);
        devices.destroy();
    }
    std::cout << "vexo-sim: virtual device removed" << std::endl;
    return 0;
}
