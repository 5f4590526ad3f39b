// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/linux/hidraw_descriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <linux/hidraw.h>
#include <string_view>
#include <sys/ioctl.h>
#include <unistd.h>

#include "base/unique_fd.h"

namespace vexo {

std::string hidrawSysfsDescriptorPath(const std::string& devnode, const std::string& sysfsRoot) {
    const auto slash = devnode.rfind('/');
    const std::string name = slash == std::string::npos ? devnode : devnode.substr(slash + 1);
    constexpr std::string_view prefix = "hidraw";
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
        return {};
    for (std::size_t i = prefix.size(); i < name.size(); ++i)
        if (name[i] < '0' || name[i] > '9')
            return {};
    return sysfsRoot + "/class/hidraw/" + name + "/device/report_descriptor";
}

std::optional<std::vector<std::uint8_t>> readSysfsFile(const std::string& path) {
    constexpr std::size_t kLimit = 64 * 1024;
    // Plain read(2): a stream would throw ios_base::failure when the read fails with ENODEV
    // during an unplug, whatever its exception mask.
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
    if (!fd)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[4096];
    for (;;) {
        const ssize_t n = ::read(fd.get(), chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            return bytes;
        if (bytes.size() + static_cast<std::size_t>(n) > kLimit)
            return std::nullopt;
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
}

std::optional<std::vector<std::uint8_t>> readHidrawDescriptor(int fd) {
    int size = 0;
    if (fd < 0 || ::ioctl(fd, HIDIOCGRDESCSIZE, &size) < 0 || size < 0 || size > HID_MAX_DESCRIPTOR_SIZE)
        return std::nullopt;
    hidraw_report_descriptor descriptor{};
    descriptor.size = static_cast<__u32>(size);
    if (::ioctl(fd, HIDIOCGRDESC, &descriptor) < 0)
        return std::nullopt;
    return std::vector<std::uint8_t>(descriptor.value, descriptor.value + size);
}

std::optional<std::vector<std::uint8_t>> readHidrawDescriptor(const std::string& devnode,
                                                              const std::string& sysfsRoot) {
    const std::string sysfsPath = hidrawSysfsDescriptorPath(devnode, sysfsRoot);
    if (!sysfsPath.empty()) {
        auto bytes = readSysfsFile(sysfsPath);
        if (bytes && !bytes->empty())
            return bytes;
    }
    const UniqueFd fd(::open(devnode.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd)
        return std::nullopt;
    return readHidrawDescriptor(fd.get());
}

} // namespace vexo
