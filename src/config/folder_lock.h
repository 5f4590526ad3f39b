// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <chrono>
#include <filesystem>
#include <string>

namespace vexo {

// An advisory lock on the folder of config.bin, str.ini and record.ini, held for every
// read-modify-write of those files by the window and by vexoctl alike, so that two programs never
// undo each other's saves. It is flock() on the folder itself: no lock file is created, and the
// system drops the lock when the program ends, however it ends.
//
// A program that finds the folder locked waits up to the given time, then reports it busy. Within
// one process the lock is shared: taking it for a folder the process already holds succeeds at
// once, so a command can hold it for its whole run while each write it makes takes it again. Where
// the folder's file system keeps no locks, nothing is locked and the work goes on as before (state
// Unavailable), since refusing every save there would help no one. Any other reason the lock cannot
// be taken (the folder cannot be opened, for one: mode 0311 lets its owner write files but not open
// it) would let a save run past another program's, so it counts as busy (state Failed).
class FolderLock {
public:
    static constexpr std::chrono::milliseconds kDefaultWait{5000};

    enum class State { Held, Busy, Failed, Unavailable };

    explicit FolderLock(const std::filesystem::path& folder, std::chrono::milliseconds wait = kDefaultWait);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // The folder of a data file ("." for a bare file name).
    static std::filesystem::path FolderOf(const std::filesystem::path& file);

    // This process holds the lock of that folder now (through any FolderLock object).
    static bool HeldHere(const std::filesystem::path& folder);

    State state() const { return state_; }
    // Another program kept the folder locked for the whole wait, or the lock could not be taken for
    // a reason other than a file system without locks: the work must not go on.
    bool busy() const { return state_ == State::Busy || state_ == State::Failed; }
    // Why the lock is not held (busy, or why locking is unavailable); empty when it is held.
    const std::string& message() const { return message_; }

private:
    State state_ = State::Unavailable;
    std::string message_;
    // The folder's identity in the process's table of held folders.
    unsigned long long device_ = 0;
    unsigned long long inode_ = 0;
};

} // namespace vexo
