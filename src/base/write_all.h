// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <unistd.h>

#include <cerrno>
#include <string_view>

namespace vexo {

// Writes all of data to fd, going on after short writes and interruptions. Returns 0 when every
// byte was written, else the errno of the failed write (EIO for a write that wrote nothing).
inline int WriteAll(int fd, std::string_view data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

// Writes text to the standard error, whole. A failure is dropped: there is nowhere left to report
// it. Unlike std::cerr it needs no <iostream>, whose set-up every start would pay for.
inline void WriteToStderr(std::string_view text) { WriteAll(STDERR_FILENO, text); }

} // namespace vexo
