// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "config/folder_lock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

#include "base/unique_fd.h"

namespace vexo {
namespace {

using Key = std::pair<unsigned long long, unsigned long long>;

struct Held {
    int fd = -1;
    int users = 0;
};

// The folders this process holds, so that a nested take neither waits for itself nor releases early.
std::mutex& TableMutex() {
    static std::mutex mutex;
    return mutex;
}
std::map<Key, Held>& Table() {
    static std::map<Key, Held> table;
    return table;
}

constexpr std::chrono::milliseconds kPoll{20};

} // namespace

std::filesystem::path FolderLock::FolderOf(const std::filesystem::path& file) {
    const std::filesystem::path parent = file.parent_path();
    return parent.empty() ? std::filesystem::path(".") : parent;
}

FolderLock::FolderLock(const std::filesystem::path& folder, std::chrono::milliseconds wait) {
    const auto fail = [&](int error) {
        message_ = "cannot lock " + folder.string() + ": " + std::strerror(error);
        // Only a file system that keeps no locks lets the work go on without one.
        state_ = error == ENOLCK || error == EOPNOTSUPP || error == ENOSYS ? State::Unavailable : State::Failed;
    };
    UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd) {
        fail(errno);
        return;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        fail(errno);
        return;
    }
    const Key key{static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino)};
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        {
            std::lock_guard guard(TableMutex());
            auto& table = Table();
            if (const auto it = table.find(key); it != table.end()) {
                ++it->second.users;
                break;
            }
            if (::flock(fd.get(), LOCK_EX | LOCK_NB) == 0) {
                table[key] = Held{fd.release(), 1};
                break;
            }
            if (errno != EWOULDBLOCK && errno != EINTR) {
                fail(errno);
                return;
            }
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            state_ = State::Busy;
            message_ = "the folder " + folder.string() + " is busy: another program is saving in it";
            return;
        }
        std::this_thread::sleep_for(kPoll);
    }
    state_ = State::Held;
    device_ = key.first;
    inode_ = key.second;
}

bool FolderLock::HeldHere(const std::filesystem::path& folder) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0) {
        return false;
    }
    std::lock_guard guard(TableMutex());
    return Table().contains({static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino)});
}

FolderLock::~FolderLock() {
    if (state_ != State::Held) {
        return;
    }
    std::lock_guard guard(TableMutex());
    auto& table = Table();
    const auto it = table.find({device_, inode_});
    if (it != table.end() && --it->second.users == 0) {
        // Closing the last descriptor of the lock releases it.
        ::close(it->second.fd);
        table.erase(it);
    }
}

} // namespace vexo
