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
#include <vector>

namespace vexo {

// A server program started for the life of a test that writes where it can be reached (a display
// number, a bus address) to a descriptor it is given once it accepts connections. Ended with
// SIGTERM.
class AnnouncingServer {
public:
    // arguments: the program and its arguments; "{fd}" inside one is replaced by the descriptor's
    // number. Waits up to ten seconds for the first line.
    explicit AnnouncingServer(std::vector<std::string> arguments) {
        int fds[2];
        if (::pipe(fds) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(fds[0]);
            std::vector<char*> argv;
            for (std::string& a : arguments) {
                if (const auto at = a.find("{fd}"); at != std::string::npos)
                    a.replace(at, 4, std::to_string(fds[1]));
                argv.push_back(a.data());
            }
            argv.push_back(nullptr);
            ::execvp(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(fds[1]);
        pollfd ready{fds[0], POLLIN, 0};
        char buffer[512] = {};
        if (pid_ > 0 && ::poll(&ready, 1, 10000) == 1 && ::read(fds[0], buffer, sizeof buffer - 1) > 0)
            line_ = std::string(buffer, std::strcspn(buffer, "\n"));
        // Kept open: Xvfb writes the line ending separately and dies if nobody is there to read it.
        readEnd_ = fds[0];
    }
    ~AnnouncingServer() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
        if (readEnd_ >= 0)
            ::close(readEnd_);
    }
    AnnouncingServer(const AnnouncingServer&) = delete;
    AnnouncingServer& operator=(const AnnouncingServer&) = delete;

    // What the server wrote first, without its line ending; empty when it did not start.
    const std::string& line() const { return line_; }

private:
    pid_t pid_ = -1;
    int readEnd_ = -1;
    std::string line_;
};

} // namespace vexo
