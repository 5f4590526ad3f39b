// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <unistd.h>

#include <utility>

namespace vexo {

// Owns one POSIX file descriptor and closes it when it goes out of scope, so that no early
// return or exception can leak a descriptor. -1 means "owns nothing". Moves transfer ownership;
// copies are not allowed. close() errors are ignored, as nothing useful can follow them.
class UniqueFd {
public:
    UniqueFd() noexcept = default;
    explicit UniqueFd(int fd) noexcept : m_fd(fd) {}
    ~UniqueFd() { reset(); }

    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    UniqueFd(UniqueFd&& other) noexcept : m_fd(other.release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }

    // The descriptor, still owned; -1 when empty.
    int get() const noexcept { return m_fd; }
    bool valid() const noexcept { return m_fd >= 0; }
    explicit operator bool() const noexcept { return valid(); }

    // Gives up ownership without closing; the caller closes the returned descriptor.
    int release() noexcept { return std::exchange(m_fd, -1); }

    // Closes what is owned (if anything) and takes fd instead.
    void reset(int fd = -1) noexcept {
        const int old = std::exchange(m_fd, fd);
        if (old >= 0)
            ::close(old);
    }

private:
    int m_fd = -1;
};

} // namespace vexo
