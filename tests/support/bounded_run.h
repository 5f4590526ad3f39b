// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace vexo::test {

// How a body run in a child process ended.
struct BoundedOutcome {
    bool finished = false; // exited on its own within the time
    int status = -1; // its exit status when finished
    bool timedOut() const { return !finished; }
};

// Runs body() in a child process and waits at most `limit` for it; a child that is still running
// then is killed, so a hang fails the calling test instead of stopping the suite. body returns the
// child's exit status (0-255). With asRoot false and the tests running as root, the child first
// becomes the unprivileged user nobody (exit status 99 when it cannot).
template <typename Body>
BoundedOutcome RunBounded(std::chrono::milliseconds limit, Body body, bool asRoot = true) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (!asRoot && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(99);
        ::_exit(body());
    }
    BoundedOutcome outcome;
    if (pid < 0)
        return outcome;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int raw = 0;
    for (;;) {
        const pid_t done = ::waitpid(pid, &raw, WNOHANG);
        if (done == pid)
            break;
        if (done < 0 && errno != EINTR)
            return outcome;
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &raw, 0);
            return outcome;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    outcome.finished = WIFEXITED(raw);
    outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return outcome;
}

// Ends the whole test program (status 124, with a message) unless destroyed within the limit: for
// code that cannot run in a child process, such as a Qt application's, so that a hang still fails
// instead of stopping the suite.
class HangWatchdog {
public:
    HangWatchdog(std::chrono::milliseconds limit, std::string what)
        : thread_([this, limit, what = std::move(what)] {
              std::unique_lock lock(mutex_);
              if (!done_.wait_for(lock, limit, [this] { return finished_; })) {
                  std::fprintf(stderr, "hang: %s did not end within %lld ms\n", what.c_str(),
                               static_cast<long long>(limit.count()));
                  std::_Exit(124);
              }
          }) {}
    ~HangWatchdog() {
        {
            std::lock_guard lock(mutex_);
            finished_ = true;
        }
        done_.notify_all();
        thread_.join();
    }
    HangWatchdog(const HangWatchdog&) = delete;
    HangWatchdog& operator=(const HangWatchdog&) = delete;

private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::thread thread_;
};

} // namespace vexo::test
