// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <span>
#include <string>

namespace vexo {

// Writes a whole file so that readers see either the old content or the new one, never a mix:
// the data goes to a temporary file in the same folder, is flushed to disk and renamed over the
// target. On any failure the target is untouched and the temporary file is removed.
//
// The replacement behaves like writing the file in place where that matters: a file the caller
// may not write is refused (EACCES, as opening it for writing would be) although the folder would
// allow the rename; the replaced file's permissions, and where allowed its owner and group, are kept.
//
// Only regular files are replaced: a FIFO, a device, a folder or anything else under that name is
// refused (EINVAL) and left alone. A symbolic link is followed, and the file it names replaced
// instead of the link, only when that is a regular file owned by the user running the program
// (root included); a link to anything else is refused (EINVAL, EPERM for another user's file,
// ENOENT for a link to nothing).
//
// The temporary file is named after the target: "<name>.XXXXXX" (six letters and digits). A save
// that was killed leaves it behind; the next save of the same file made while this process holds
// the folder's lock (FolderLock), when no other save of it can be in progress, removes such
// leftovers: only regular files of the running user whose name has that form, with at least two of
// upper-case letters, lower-case letters and digits in its last six characters (so that a user's
// "config.bin.backup" is never taken for one), and untouched for a few seconds.
class AtomicFile {
public:
    struct Result {
        bool ok = false;
        int error = 0; // errno of the failing step, 0 on success
        std::string message; // readable reason, empty on success
    };

    // Test hook: called before each step ("open", "write", "sync", "close", "rename") with its name;
    // returning a non-zero errno makes that step fail as if the system had failed it.
    using FaultHook = std::function<int(const char* step)>;

    static Result write(const std::filesystem::path& target, std::span<const std::uint8_t> data);
    static Result write(const std::filesystem::path& target, const std::string& text);
    // The parts one after the other, as one file.
    static Result write(const std::filesystem::path& target,
                        std::initializer_list<std::span<const std::uint8_t>> parts);

    // The leftovers of killed saves of target, as described above; returns how many were removed.
    static std::size_t removeStaleTemporaries(const std::filesystem::path& target);

    // Installs a fault hook for the calling thread; pass nullptr to remove it.
    static void setFaultHook(FaultHook hook);
};

} // namespace vexo
