// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "config/atomic_file.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "config/folder_lock.h"

namespace vexo {
namespace {

thread_local AtomicFile::FaultHook g_faultHook;

int injected(const char* step) { return g_faultHook ? g_faultHook(step) : 0; }

AtomicFile::Result failure(int error, const std::string& what, const std::filesystem::path& path) {
    return {false, error, what + " " + path.string() + ": " + std::strerror(error)};
}

// How long a temporary file must have been left untouched before it counts as a leftover: a save
// of this process's own on another thread writes its file in well under that.
constexpr std::chrono::seconds kStaleAfter{5};

bool looksLikeOurTemporary(const std::string& name, const std::string& targetName) {
    constexpr std::size_t kRandom = 6;
    if (name.size() != targetName.size() + 1 + kRandom || !name.starts_with(targetName) ||
        name[targetName.size()] != '.') {
        return false;
    }
    bool upper = false, lower = false, digit = false;
    for (std::size_t i = name.size() - kRandom; i < name.size(); ++i) {
        const char c = name[i];
        if (c >= 'A' && c <= 'Z')
            upper = true;
        else if (c >= 'a' && c <= 'z')
            lower = true;
        else if (c >= '0' && c <= '9')
            digit = true;
        else
            return false;
    }
    return int(upper) + int(lower) + int(digit) >= 2;
}

} // namespace

std::size_t AtomicFile::removeStaleTemporaries(const std::filesystem::path& target) {
    const std::filesystem::path folder = FolderLock::FolderOf(target);
    const std::string targetName = target.filename().string();
    const auto now = std::chrono::system_clock::now();
    std::size_t removed = 0;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!looksLikeOurTemporary(name, targetName)) {
            continue;
        }
        struct stat st {};
        if (::lstat(it->path().c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) {
            continue;
        }
        const auto changed =
            std::chrono::system_clock::time_point(std::chrono::duration_cast<std::chrono::system_clock::duration>(
                std::chrono::seconds(st.st_mtim.tv_sec) + std::chrono::nanoseconds(st.st_mtim.tv_nsec)));
        if (now - changed < kStaleAfter) {
            continue;
        }
        if (::unlink(it->path().c_str()) == 0) {
            ++removed;
        }
    }
    return removed;
}

void AtomicFile::setFaultHook(FaultHook hook) { g_faultHook = std::move(hook); }

AtomicFile::Result AtomicFile::write(const std::filesystem::path& target, const std::string& text) {
    return write(target, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

AtomicFile::Result AtomicFile::write(const std::filesystem::path& target, std::span<const std::uint8_t> data) {
    return write(target, {data});
}

AtomicFile::Result AtomicFile::write(const std::filesystem::path& requested,
                                     std::initializer_list<std::span<const std::uint8_t>> parts) {
    std::filesystem::path target = requested;
    struct stat own {};
    if (::lstat(requested.c_str(), &own) == 0) {
        if (S_ISLNK(own.st_mode)) {
            // A link (a dotfiles folder, say) keeps pointing at the saved file only if that file is
            // the one replaced; the temporary file must then live in that file's folder for the
            // rename to work. Run with sudo, a link must not make us replace a system file or
            // another user's, so only a regular file of our own user is followed.
            char* real = ::realpath(requested.c_str(), nullptr);
            if (real == nullptr) {
                return {false, ENOENT, requested.string() + " is a link to nothing; it was left as it is"};
            }
            target = real;
            std::free(real);
            struct stat pointed {};
            if (::stat(target.c_str(), &pointed) != 0) {
                return failure(errno, "cannot follow", requested);
            }
            if (!S_ISREG(pointed.st_mode)) {
                return {false, EINVAL,
                        requested.string() + " is a link to " + target.string() +
                            ", which is not a regular file; it was left as it is"};
            }
            if (pointed.st_uid != ::geteuid()) {
                return {false, EPERM,
                        requested.string() + " is a link to " + target.string() +
                            ", a file of another user; it was left as it is"};
            }
        } else if (!S_ISREG(own.st_mode)) {
            // Replacing a FIFO or a device by a regular file would break whatever uses it.
            return {false, EINVAL, requested.string() + " is not a regular file; it was left as it is"};
        }
    } else if (errno != ENOENT) {
        return failure(errno, "cannot look at", requested);
    }
    // Renaming needs only the folder's permission; a write-protected file must stay protected.
    if (::faccessat(AT_FDCWD, target.c_str(), F_OK, AT_EACCESS) == 0 &&
        ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        return failure(errno, "cannot write", requested);
    }
    // Under the folder's lock no other program saves here, so what a killed save left is stale.
    if (FolderLock::HeldHere(FolderLock::FolderOf(target))) {
        removeStaleTemporaries(target);
    }
    std::string tmpl;
    int fd = -1;
    if (int e = injected("open")) {
        return failure(e, "cannot create a temporary file beside", target);
    }
    // A name the leftover sweep recognises as ours: about one in a hundred random names is all
    // letters of one case (or all digits), which a user's own "config.bin.backup" is too, so such
    // a name is given back and another drawn.
    const std::string targetName = target.filename().string();
    for (int attempt = 0; attempt < 32; ++attempt) {
        tmpl = target.string() + ".XXXXXX";
        fd = ::mkstemp(tmpl.data());
        if (fd < 0) {
            return failure(errno, "cannot create a temporary file beside", target);
        }
        if (looksLikeOurTemporary(std::filesystem::path(tmpl).filename().string(), targetName)) {
            break;
        }
        ::close(fd);
        ::unlink(tmpl.c_str());
        fd = -1;
    }
    if (fd < 0) {
        return failure(EEXIST, "cannot create a temporary file beside", target);
    }
    const std::filesystem::path tmp = tmpl;
    auto abandon = [&](int error, const char* what) {
        if (fd >= 0) {
            ::close(fd);
        }
        ::unlink(tmp.c_str());
        return failure(error, what, target);
    };

    // Keep the permissions of the file being replaced; a new file gets the usual 0644 less umask.
    struct stat st {};
    mode_t mode = 0644;
    if (::stat(target.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
        // Only root may give a file away, and a user only to a group of theirs; failing both, the
        // new file simply stays ours.
        if (::fchown(fd, st.st_uid, st.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), st.st_gid) != 0)
            errno = 0;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    ::fchmod(fd, mode);

    for (const std::span<const std::uint8_t> data : parts) {
        std::size_t done = 0;
        while (done < data.size()) {
            if (int e = injected("write")) {
                return abandon(e, "cannot write");
            }
            const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return abandon(errno, "cannot write");
            }
            done += static_cast<std::size_t>(n);
        }
    }
    if (int e = injected("sync")) {
        return abandon(e, "cannot flush");
    }
    if (::fsync(fd) != 0) {
        return abandon(errno, "cannot flush");
    }
    if (int e = injected("close")) {
        return abandon(e, "cannot close");
    }
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0) {
        return abandon(errno, "cannot close");
    }
    if (int e = injected("rename")) {
        return abandon(e, "cannot replace");
    }
    if (::rename(tmp.c_str(), target.c_str()) != 0) {
        return abandon(errno, "cannot replace");
    }
    return {true, 0, {}};
}

} // namespace vexo
