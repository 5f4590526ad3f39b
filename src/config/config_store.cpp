// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "config/config_store.h"

#include <algorithm>
#include <utility>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/unique_fd.h"
#include "config/atomic_file.h"
#include "config/factory_record.h"
#include "config/folder_lock.h"

namespace vexo {
namespace {

// More damaged copies than this point at a fault that keeping more would not help with.
constexpr int kMaxDamagedCopies = 100;

bool fileExists(const std::filesystem::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

} // namespace

ConfigStore::ConfigStore(std::filesystem::path configBin) : path_(std::move(configBin)) {}

ConfigStore::LoadResult ConfigStore::LoadConfig() {
    lastError_.clear();
    struct stat st {};
    if (::stat(path_.c_str(), &st) != 0) {
        if (errno != ENOENT) {
            lastError_ = "cannot open " + path_.string() + ": " + std::strerror(errno);
            return LoadResult::Unreadable;
        }
        struct stat link {};
        lastError_ = path_.string() +
            (::lstat(path_.c_str(), &link) == 0 && S_ISLNK(link.st_mode)
                 ? " is a dangling link: the file it names does not exist"
                 : " does not exist");
        return LoadResult::Missing;
    }
    // Opening a FIFO waits for a writer and opening a device may act on it: neither is opened.
    if (!S_ISREG(st.st_mode)) {
        lastError_ = path_.string() + " is not a regular file";
        return LoadResult::Unreadable;
    }
    // Without blocking, in case it was swapped for a FIFO since; checked again once open.
    const UniqueFd file(::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    const int fd = file.get();
    if (!file) {
        lastError_ = "cannot open " + path_.string() + ": " + std::strerror(errno);
        return LoadResult::Unreadable;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        lastError_ = path_.string() + " is not a regular file";
        return LoadResult::Unreadable;
    }
    if (static_cast<std::size_t>(st.st_size) != kFileSize) {
        lastError_ =
            path_.string() + " has " + std::to_string(st.st_size) + " bytes instead of " + std::to_string(kFileSize);
        return LoadResult::WrongSize;
    }
    std::array<std::uint8_t, kFileSize> bytes{};
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            lastError_ = "cannot read " + path_.string() + (n < 0 ? std::string(": ") + std::strerror(errno) : "");
            return LoadResult::Unreadable;
        }
        done += static_cast<std::size_t>(n);
    }
    // Only a complete read changes the state, so a failure half-way leaves the record as it was.
    firstRunFlag_ = bytes[0];
    fileRead_ = true;
    fileUnread_ = false;
    record_ = ConfigRecord(std::span(bytes).subspan<1, ConfigRecord::kSize>());
    base_ = record_;
    return LoadResult::Loaded;
}

ConfigStore::SaveResult ConfigStore::SaveConfig() {
    lastError_.clear();
    lastErrno_ = 0;
    // The program never creates config.bin: without the delivered file there is nothing to save to.
    if (!fileExists(path_)) {
        lastError_ = path_.string() + " does not exist";
        return SaveResult::Missing;
    }
    const FolderLock lock(FolderLock::FolderOf(path_));
    if (lock.busy()) {
        lastError_ = lock.message();
        lastErrno_ = EBUSY;
        return SaveResult::Failed;
    }
    std::array<std::uint8_t, kFileSize> bytes{};
    bytes[0] = 1;
    std::copy(record_.bytes().begin(), record_.bytes().end(), bytes.begin() + 1);
    const AtomicFile::Result result = AtomicFile::write(path_, bytes);
    if (!result.ok) {
        lastError_ = result.message;
        lastErrno_ = result.error;
        return SaveResult::Failed;
    }
    base_ = record_;
    return SaveResult::Saved;
}

ConfigStore::MergeResult ConfigStore::MergeChangesOnDisk() {
    MergeResult result;
    if (!base_) {
        return result;
    }
    // A private store reads the file, so a failure here leaves this one's state and reasons alone.
    ConfigStore disk(path_);
    if (disk.LoadConfig() != LoadResult::Loaded) {
        if (fileUnread_) {
            lastError_ = disk.lastError();
        }
        return result;
    }
    fileUnread_ = false;
    const auto mine = std::as_const(record_).bytes();
    const auto base = base_->bytes();
    const auto theirs = std::as_const(disk.record_).bytes();
    if (std::equal(theirs.begin(), theirs.end(), base.begin())) {
        return result;
    }
    result.changedOnDisk = true;
    std::array<std::uint8_t, ConfigRecord::kSize> merged{};
    std::copy(mine.begin(), mine.end(), merged.begin());
    const auto inMacroArea = [](std::size_t i) {
        return i >= ConfigRecord::kMacroArea && i < ConfigRecord::kMacroArea + ConfigRecord::kMacroAreaSize;
    };
    for (std::size_t i = 0; i < merged.size(); ++i) {
        if (inMacroArea(i) || theirs[i] == base[i]) {
            continue;
        }
        if (mine[i] == base[i]) {
            merged[i] = theirs[i];
            ++result.taken;
        } else if (mine[i] != theirs[i]) {
            ++result.conflicts;
        }
    }
    // Half of one macro and half of another would be neither: blocks go whole.
    for (std::size_t m = 0; m < ConfigRecord::kMacroCount; ++m) {
        const std::size_t start = ConfigRecord::kMacroArea + m * ConfigRecord::kMacroSize;
        const auto block = [&](std::span<const std::uint8_t> bytes) {
            return bytes.subspan(start, ConfigRecord::kMacroSize);
        };
        const auto same = [](std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
            return std::equal(a.begin(), a.end(), b.begin(), b.end());
        };
        if (same(block(theirs), block(base))) {
            continue;
        }
        if (same(block(mine), block(base))) {
            std::copy(block(theirs).begin(), block(theirs).end(), merged.begin() + static_cast<std::ptrdiff_t>(start));
            result.taken += ConfigRecord::kMacroSize;
        } else if (!same(block(mine), block(theirs))) {
            ++result.conflicts;
        }
    }
    record_ = ConfigRecord(std::span<const std::uint8_t, ConfigRecord::kSize>(merged));
    base_ = disk.record_;
    return result;
}

std::filesystem::path ConfigStore::RecoverFromDamagedFile() {
    record_ = FactoryRecord();
    lastError_.clear();
    struct stat damaged {};
    if (::stat(path_.c_str(), &damaged) != 0 || !S_ISREG(damaged.st_mode)) {
        lastError_ = path_.string() + " is gone or not a regular file; nothing was kept";
        return {};
    }
    for (int n = 0; n < kMaxDamagedCopies; ++n) {
        std::filesystem::path copy = path_;
        copy += n == 0 ? std::string(".damaged") : ".damaged." + std::to_string(n);
        // A hard link keeps the file without copying it, and fails rather than replace a name.
        if (::link(path_.c_str(), copy.c_str()) == 0) {
            return copy;
        }
        if (errno == EEXIST) {
            struct stat kept {};
            if (::lstat(copy.c_str(), &kept) == 0 && kept.st_dev == damaged.st_dev && kept.st_ino == damaged.st_ino) {
                return copy; // kept by an earlier start
            }
            continue;
        }
        // A file system without hard links gets a copy, which must not replace anything either.
        std::error_code ec;
        if (std::filesystem::copy_file(path_, copy, std::filesystem::copy_options::none, ec)) {
            return copy;
        }
        if (std::filesystem::exists(copy)) {
            continue;
        }
        lastError_ = "cannot keep " + path_.string() + " as " + copy.string() + ": " + ec.message();
        return {};
    }
    lastError_ = "cannot keep " + path_.string() + ": " + std::to_string(kMaxDamagedCopies) + " damaged copies exist";
    return {};
}

void ConfigStore::UseDefaultsForUnreadableFile() {
    record_ = FactoryRecord();
    // The defaults stand for what the file held: once it can be read, its values are taken in
    // wherever the user left the defaults as they were.
    base_ = record_;
    fileUnread_ = true;
}

} // namespace vexo
