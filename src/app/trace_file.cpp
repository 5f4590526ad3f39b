// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "app/trace_file.h"

#include <cerrno>
#include <unistd.h>

namespace vexo {

TraceTarget::Outcome TraceFile::open(const std::filesystem::path& path,
                                     const std::vector<std::filesystem::path>& dataFiles, std::string& error) {
    TraceTarget::Result result = TraceTarget::open(path, dataFiles);
    error = result.error;
    file_ = std::move(result.fd);
    return result.outcome;
}

void TraceFile::write(const std::string& line) {
    if (!file_.valid() || failed_)
        return;
    const std::string text = line + '\n';
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(file_.get(), text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            failed_ = true;
            return;
        }
        done += static_cast<std::size_t>(n);
    }
}

} // namespace vexo
