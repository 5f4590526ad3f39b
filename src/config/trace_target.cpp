// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "config/trace_target.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vexo {
namespace {

TraceTarget::Result refused(const std::filesystem::path& path, const std::string& why) {
    return {TraceTarget::Outcome::Refused, UniqueFd(), "the trace file " + path.string() + " " + why};
}

TraceTarget::Result failed(const std::filesystem::path& path, int error) {
    return refused(path, std::string("cannot be written: ") + std::strerror(error));
}

} // namespace

std::optional<std::filesystem::path> TraceTarget::DataFileNamed(const std::filesystem::path& path,
                                                                const std::vector<std::filesystem::path>& dataFiles) {
    std::error_code ec;
    const std::filesystem::path wanted = std::filesystem::weakly_canonical(path, ec);
    struct stat traced {};
    const bool exists = ::stat(path.c_str(), &traced) == 0;
    for (const std::filesystem::path& file : dataFiles) {
        std::error_code fileEc;
        if (!ec && std::filesystem::weakly_canonical(file, fileEc) == wanted && !fileEc) {
            return file;
        }
        struct stat data {};
        if (exists && ::stat(file.c_str(), &data) == 0 && data.st_dev == traced.st_dev &&
            data.st_ino == traced.st_ino) {
            return file;
        }
    }
    return std::nullopt;
}

TraceTarget::Result TraceTarget::open(const std::filesystem::path& path,
                                      const std::vector<std::filesystem::path>& dataFiles) {
    if (const auto data = DataFileNamed(path, dataFiles)) {
        return {Outcome::DataFile, UniqueFd(),
                "--trace " + path.string() + " names " + data->string() + ", a data file it would destroy"};
    }
    constexpr int kFlags = O_WRONLY | O_CLOEXEC | O_NOCTTY;
    struct stat own {};
    if (::lstat(path.c_str(), &own) != 0) {
        if (errno != ENOENT) {
            return failed(path, errno);
        }
        // O_EXCL: a link put there since is not followed.
        UniqueFd fd(::open(path.c_str(), kFlags | O_CREAT | O_EXCL, 0644));
        if (!fd) {
            return failed(path, errno);
        }
        return {Outcome::Opened, std::move(fd), {}};
    }
    const bool link = S_ISLNK(own.st_mode);
    struct stat named {};
    if (link && ::stat(path.c_str(), &named) != 0) {
        return errno == ENOENT ? refused(path, "is a dangling link; it was left as it is") : failed(path, errno);
    }
    if (!link) {
        named = own;
    }
    const bool ours = named.st_uid == ::geteuid();
    if (link && !ours) {
        return refused(path, "is a link to a file of another user; it was left as it is");
    }
    if (S_ISREG(named.st_mode) && !ours) {
        return refused(path, "is a file of another user; it was left as it is");
    }
    // Never O_TRUNC: what is opened is checked first, and only a regular file of ours is emptied.
    UniqueFd fd(::open(path.c_str(), kFlags | (link ? 0 : O_NOFOLLOW)));
    if (!fd) {
        return failed(path, errno);
    }
    struct stat opened {};
    if (::fstat(fd.get(), &opened) != 0) {
        return failed(path, errno);
    }
    if (opened.st_dev != named.st_dev || opened.st_ino != named.st_ino) {
        return refused(path, "changed while it was opened; it was left as it is");
    }
    if (S_ISREG(opened.st_mode) && ::ftruncate(fd.get(), 0) != 0) {
        return failed(path, errno);
    }
    return {Outcome::Opened, std::move(fd), {}};
}

} // namespace vexo
