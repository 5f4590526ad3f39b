#include "platform/linux/hidapi_device.h"

#include <array>
#include <cerrno>

#include <fcntl.h>
#include <hidapi/hidapi.h>
#include <unistd.h>

#include "platform/linux/hidraw_descriptor.h"
#include "platform/linux/report_descriptor.h"

namespace vexo {

std::unique_ptr<HidapiDevice> HidapiDevice::open(const std::string& path, bool readOnly) {
    const int readFd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (readFd < 0)
        return nullptr;
    // Whether reports carry an ID byte decides how read() lays out what the kernel hands over.
    // A descriptor we cannot parse is taken as numbering its reports, which passes data unchanged.
    bool usesReportIds = true;
    if (const auto raw = readHidrawDescriptor(readFd))
        if (const auto parsed = ReportDescriptor::parse(*raw))
            usesReportIds = parsed->usesReportIds;

    hid_device* handle = nullptr;
    if (!readOnly) {
        handle = hid_open_path(path.c_str());
        if (handle == nullptr) {
            const int error = errno;  // the caller tells "no permission" from the rest by it
            ::close(readFd);
            errno = error;
            return nullptr;
        }
    }
    return std::unique_ptr<HidapiDevice>(new HidapiDevice(handle, readFd, usesReportIds));
}

std::unique_ptr<HidapiDevice> HidapiDevice::readOnlyOver(int fd, bool usesReportIds) {
    if (fd < 0)
        return nullptr;
    return std::unique_ptr<HidapiDevice>(new HidapiDevice(nullptr, fd, usesReportIds));
}

HidapiDevice::HidapiDevice(hid_device_* handle, int readFd, bool usesReportIds)
    : handle_(handle), reader_(readFd), usesReportIds_(usesReportIds),
      readTimeoutMs_(handle != nullptr ? kReplyReadTimeoutMs : -1) {}

HidapiDevice::~HidapiDevice() {
    if (handle_ != nullptr)
        hid_close(handle_);
}

int HidapiDevice::setFeature(std::span<const std::uint8_t> report) {
    if (handle_ == nullptr || report.empty())
        return -1;
    const int n = hid_send_feature_report(handle_, report.data(), report.size());
    return n < 0 ? -1 : n;
}

int HidapiDevice::getFeature(std::span<std::uint8_t> report) {
    if (handle_ == nullptr || report.empty())
        return -1;
    const int n = hid_get_feature_report(handle_, report.data(), report.size());
    return n < 0 ? -1 : n;
}

int HidapiDevice::write(std::span<const std::uint8_t> report) {
    if (handle_ == nullptr || report.empty())
        return -1;
    const int n = hid_write(handle_, report.data(), report.size());
    return n < 0 ? -1 : n;
}

int HidapiDevice::read(std::span<std::uint8_t> report) {
    if (usesReportIds_)
        return reader_.read(report, readTimeoutMs_);
    if (report.size() < 2)
        return -1;
    const int n = reader_.read(report.subspan(1), readTimeoutMs_);
    if (n <= 0)
        return n;
    report[0] = 0;
    return n + 1;
}

void HidapiDevice::discardInput() {
    // Bounded, so that a device that never stops sending cannot hold the caller here.
    constexpr int kMaxDiscarded = 64;
    std::array<std::uint8_t, 64> scrap{};
    for (int i = 0; i < kMaxDiscarded && reader_.read(scrap, 0) > 0; ++i) {
    }
}

void HidapiDevice::cancelRead() {
    reader_.cancel();
}

} // namespace vexo
