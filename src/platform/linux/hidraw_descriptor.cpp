#include "platform/linux/hidraw_descriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace vexo {

std::string hidrawSysfsDescriptorPath(const std::string& devnode) {
    const auto slash = devnode.rfind('/');
    const std::string name = slash == std::string::npos ? devnode : devnode.substr(slash + 1);
    constexpr std::string_view prefix = "hidraw";
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
        return {};
    for (std::size_t i = prefix.size(); i < name.size(); ++i)
        if (name[i] < '0' || name[i] > '9')
            return {};
    return "/sys/class/hidraw/" + name + "/device/report_descriptor";
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

std::optional<std::vector<std::uint8_t>> readHidrawDescriptor(const std::string& devnode) {
    const std::string sysfsPath = hidrawSysfsDescriptorPath(devnode);
    if (!sysfsPath.empty()) {
        std::ifstream in(sysfsPath, std::ios::binary);
        if (in) {
            std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            if (!in.bad() && !bytes.empty())
                return bytes;
        }
    }
    const int fd = ::open(devnode.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    auto bytes = readHidrawDescriptor(fd);
    ::close(fd);
    return bytes;
}

bool hidrawNodeGone(const std::string& devnode) {
    const auto gone = [](int error) { return error == ENOENT || error == ENODEV || error == ENXIO; };
    const int fd = ::open(devnode.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return gone(errno);
    int size = 0;
    const bool answered = ::ioctl(fd, HIDIOCGRDESCSIZE, &size) == 0;
    const int error = errno;
    ::close(fd);
    return !answered && gone(error);
}

} // namespace vexo
