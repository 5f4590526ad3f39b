// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <csignal>
#include <cstring>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace vexo {

// An Xvfb server on a display it picks itself, for the life of the test.
class XvfbServer {
public:
    XvfbServer() {
        int fds[2];
        if (::pipe(fds) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-screen", "0", "64x64x24",
                     static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(fds[1]);
        // Xvfb writes its display number once it accepts connections.
        pollfd ready{fds[0], POLLIN, 0};
        char buffer[16] = {};
        if (pid_ > 0 && ::poll(&ready, 1, 10000) == 1 && ::read(fds[0], buffer, sizeof buffer - 1) > 0)
            display_ = ":" + std::string(buffer, std::strcspn(buffer, "\n"));
        // Xvfb writes the line ending separately and dies if nobody is there to read it.
        readEnd_ = fds[0];
    }
    ~XvfbServer() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
        if (readEnd_ >= 0)
            ::close(readEnd_);
    }
    const std::string& display() const { return display_; }

private:
    pid_t pid_ = -1;
    int readEnd_ = -1;
    std::string display_;
};

} // namespace vexo
