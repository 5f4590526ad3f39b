// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace vexo {

// A private session bus for the life of the test, named in DBUS_SESSION_BUS_ADDRESS.
class PrivateSessionBus {
public:
    PrivateSessionBus() {
        int fds[2];
        if (::pipe(fds) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(fds[0]);
            const std::string fd = "--print-address=" + std::to_string(fds[1]);
            ::execlp("dbus-daemon", "dbus-daemon", "--session", "--nofork", fd.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(fds[1]);
        pollfd ready{fds[0], POLLIN, 0};
        char buffer[512] = {};
        if (pid_ > 0 && ::poll(&ready, 1, 10000) == 1 && ::read(fds[0], buffer, sizeof buffer - 1) > 0)
            address_ = std::string(buffer, std::strcspn(buffer, "\n"));
        ::close(fds[0]);
        if (!address_.empty())
            ::setenv("DBUS_SESSION_BUS_ADDRESS", address_.c_str(), 1);
    }
    ~PrivateSessionBus() {
        if (!address_.empty())
            ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    const std::string& address() const { return address_; }

private:
    pid_t pid_ = -1;
    std::string address_;
};

} // namespace vexo
