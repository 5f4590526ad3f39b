// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/linux/cancellable_fd_reader.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace vexo {

CancellableFdReader::CancellableFdReader(int fd) : fd_(fd) {
    if (!fd_)
        return;
    // Non-blocking, so that a wake-up whose data another reader took cannot leave us stuck
    // in read(2) where cancel() no longer reaches.
    const int flags = ::fcntl(fd_.get(), F_GETFL);
    if (flags >= 0)
        ::fcntl(fd_.get(), F_SETFL, flags | O_NONBLOCK);
    cancelFd_.reset(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
}

int CancellableFdReader::read(std::span<std::uint8_t> buffer, int timeoutMs) {
    if (!valid() || buffer.empty())
        return -1;
    for (;;) {
        pollfd fds[2] = {{cancelFd_.get(), POLLIN, 0}, {fd_.get(), POLLIN, 0}};
        const int ready = ::poll(fds, 2, timeoutMs);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (ready == 0)
            return -1; // timed out: nothing arrived

        // A pending cancel wins over pending data: the caller asked to stop, the data stays queued.
        if (fds[0].revents & POLLIN) {
            std::uint64_t count = 0;
            [[maybe_unused]] ssize_t drained = ::read(cancelFd_.get(), &count, sizeof count);
            return 0;
        }
        if (fds[1].revents & POLLIN) {
            const ssize_t n = ::read(fd_.get(), buffer.data(), buffer.size());
            if (n > 0)
                return static_cast<int>(n);
            if (n < 0 && (errno == EAGAIN || errno == EINTR))
                continue;
            return -1; // end of file or a read error: the device is gone
        }
        if (fds[1].revents & (POLLERR | POLLHUP | POLLNVAL))
            return -1;
    }
}

void CancellableFdReader::cancel() {
    if (!cancelFd_)
        return;
    const std::uint64_t one = 1;
    [[maybe_unused]] ssize_t written = ::write(cancelFd_.get(), &one, sizeof one);
}

} // namespace vexo
