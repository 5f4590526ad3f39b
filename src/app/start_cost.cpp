// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "app/start_cost.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

#include "base/write_all.h"

namespace vexo {

namespace {
std::string StartCostLine() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const long long clockNs = static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
    const long long cpuUs = (static_cast<long long>(usage.ru_utime.tv_sec) + usage.ru_stime.tv_sec) * 1000000LL +
        usage.ru_utime.tv_usec + usage.ru_stime.tv_usec;
    return "clock_ns=" + std::to_string(clockNs) + " cpu_us=" + std::to_string(cpuUs) +
        " peak_kib=" + std::to_string(usage.ru_maxrss) + "\n";
}
} // namespace

bool WriteStartCost(const std::string& path, std::string& error) {
    // Read before the file is made, so that making it is not counted.
    const std::string line = StartCostLine();
    // O_EXCL with O_CREAT also refuses a link at path, dangling or not.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = "cannot make " + path + ": " + std::strerror(errno);
        return false;
    }
    if (const int failed = WriteAll(fd, line)) {
        error = "cannot write " + path + ": " + std::strerror(failed);
        ::close(fd);
        return false;
    }
    if (::close(fd) != 0) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

} // namespace vexo
