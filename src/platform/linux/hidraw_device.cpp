// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/linux/hidraw_device.h"

#include <array>
#include <cerrno>

#include <fcntl.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "platform/linux/hidraw_descriptor.h"
#include "platform/linux/report_descriptor.h"

namespace vexo {

namespace {

// Closes fd without disturbing the errno that tells the caller why the open failed.
std::nullptr_t closeKeepingErrno(UniqueFd& fd) {
    const int error = errno;
    fd.reset();
    errno = error;
    return nullptr;
}

// A signal that arrives while the kernel waits for the mouse interrupts the request before it was made.
template <class Call>
int retryOnInterrupt(Call call) {
    int n;
    do
        n = call();
    while (n < 0 && errno == EINTR);
    return n;
}

} // namespace

std::unique_ptr<HidrawDevice> HidrawDevice::open(const std::string& path, bool readOnly) {
    UniqueFd readFd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!readFd)
        return nullptr;
    // Only a hidraw node answers this; a node whose device has just gone answers ENODEV.
    const auto raw = readHidrawDescriptor(readFd.get());
    if (!raw)
        return closeKeepingErrno(readFd);
    // Whether reports carry an ID byte decides how read() lays out what the kernel hands over.
    // A descriptor we cannot parse is taken as numbering its reports, which passes data unchanged.
    bool usesReportIds = true;
    if (const auto parsed = ReportDescriptor::parse(*raw))
        usesReportIds = parsed->usesReportIds;

    UniqueFd commandFd;
    if (!readOnly) {
        commandFd.reset(::open(path.c_str(), O_RDWR | O_CLOEXEC));
        if (!commandFd)
            return closeKeepingErrno(readFd); // errno tells "no permission" from the rest
    }
    return std::unique_ptr<HidrawDevice>(new HidrawDevice(std::move(commandFd), readFd.release(), usesReportIds));
}

std::unique_ptr<HidrawDevice> HidrawDevice::readOnlyOver(int fd, bool usesReportIds) {
    if (fd < 0)
        return nullptr;
    return std::unique_ptr<HidrawDevice>(new HidrawDevice(UniqueFd(), fd, usesReportIds));
}

HidrawDevice::HidrawDevice(UniqueFd commandFd, int readFd, bool usesReportIds)
    : commandFd_(std::move(commandFd)), reader_(readFd), usesReportIds_(usesReportIds),
      readTimeoutMs_(commandFd_ ? kReplyReadTimeoutMs : -1) {}

int HidrawDevice::setFeature(std::span<const std::uint8_t> report) {
    if (!commandFd_ || report.empty())
        return -1;
    const int n = retryOnInterrupt([&] {
        return ::ioctl(commandFd_.get(), HIDIOCSFEATURE(report.size()), const_cast<std::uint8_t*>(report.data()));
    });
    return n < 0 ? -1 : n;
}

int HidrawDevice::getFeature(std::span<std::uint8_t> report) {
    if (!commandFd_ || report.empty())
        return -1;
    // The first byte names the report asked for; the kernel writes the answer over it.
    const int n =
        retryOnInterrupt([&] { return ::ioctl(commandFd_.get(), HIDIOCGFEATURE(report.size()), report.data()); });
    return n < 0 ? -1 : n;
}

int HidrawDevice::write(std::span<const std::uint8_t> report) {
    if (!commandFd_ || report.empty())
        return -1;
    const int n =
        retryOnInterrupt([&] { return static_cast<int>(::write(commandFd_.get(), report.data(), report.size())); });
    return n < 0 ? -1 : n;
}

int HidrawDevice::read(std::span<std::uint8_t> report) {
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

void HidrawDevice::discardInput() {
    // Bounded, so that a device that never stops sending cannot hold the caller here.
    constexpr int kMaxDiscarded = 64;
    std::array<std::uint8_t, 64> scrap{};
    for (int i = 0; i < kMaxDiscarded && reader_.read(scrap, 0) > 0; ++i) {}
}

void HidrawDevice::cancelRead() { reader_.cancel(); }

} // namespace vexo
