// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>
#include <span>

#include "base/unique_fd.h"

namespace vexo {

// Blocking reads from one file descriptor that another thread can cancel at once.
// The reader waits in poll(2) on the descriptor and an eventfd with no time-out, so a
// waiting thread costs no wake-ups; cancel() writes the eventfd.
class CancellableFdReader {
public:
    // Takes ownership of fd (closed by the destructor) and switches it to non-blocking mode.
    // valid() is false when fd is negative or no eventfd could be made.
    explicit CancellableFdReader(int fd);
    CancellableFdReader(const CancellableFdReader&) = delete;
    CancellableFdReader& operator=(const CancellableFdReader&) = delete;

    bool valid() const { return fd_.valid() && cancelFd_.valid(); }

    // Waits for data and reads what one read(2) returns (one report on a hidraw node).
    // Returns the byte count; 0 when cancelled; -1 when the descriptor fails, reaches its end
    // or hangs up (device gone), when timeoutMs (>= 0) passes without data, or when the reader
    // is not valid. A negative timeoutMs waits without limit.
    int read(std::span<std::uint8_t> buffer, int timeoutMs = -1);
    // Makes a read blocked in another thread return 0 at once, or, when none is blocked,
    // the next read. Several cancels before one read count as one. Safe from any thread.
    void cancel();

private:
    UniqueFd fd_;
    UniqueFd cancelFd_;
};

} // namespace vexo
