// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "config/folder_lock.h"

namespace vexo::test {

// Another program holding the lock of a folder: a child process that takes it, says so, and keeps
// it until this object goes (the child is killed, which releases the lock).
class LockHolder {
public:
    explicit LockHolder(const std::filesystem::path& folder) {
        int ready[2];
        if (::pipe(ready) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            const FolderLock lock(folder, std::chrono::seconds(10));
            const char held = lock.state() == FolderLock::State::Held ? 1 : 0;
            [[maybe_unused]] const auto written = ::write(ready[1], &held, 1);
            for (;;)
                ::pause();
        }
        ::close(ready[1]);
        pollfd fd{ready[0], POLLIN, 0};
        char held = 0;
        held_ = pid_ > 0 && ::poll(&fd, 1, 20000) == 1 && ::read(ready[0], &held, 1) == 1 && held == 1;
        ::close(ready[0]);
    }
    ~LockHolder() { release(); }
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;

    // The child took the lock.
    bool held() const { return held_; }
    void release() {
        if (pid_ <= 0)
            return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    bool held_ = false;
};

} // namespace vexo::test
