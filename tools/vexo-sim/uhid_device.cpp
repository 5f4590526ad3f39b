// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "uhid_device.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace vexo {

UhidDevice::~UhidDevice() { destroy(); }

bool UhidDevice::create(const std::string& name, std::uint16_t vendorId, std::uint16_t productId,
                        std::span<const std::uint8_t> descriptor) {
    destroy();
    const auto event = UhidCodec::create(name, vendorId, productId, descriptor);
    if (!event) {
        error_ = "the report descriptor or name does not fit a uhid event";
        return false;
    }
    fd_.reset(::open(kNode, O_RDWR | O_CLOEXEC | O_NONBLOCK));
    if (!fd_) {
        error_ = std::string("cannot open ") + kNode + ": " + std::strerror(errno);
        return false;
    }
    if (!send(*event)) {
        error_ = std::string("the kernel refused the virtual device: ") + std::strerror(errno);
        fd_.reset();
        return false;
    }
    return true;
}

void UhidDevice::destroy() {
    if (!fd_)
        return;
    send(UhidCodec::destroy());
    fd_.reset();
}

std::optional<UhidRequest> UhidDevice::readRequest() {
    if (!fd_)
        return std::nullopt;
    uhid_event event{};
    const ssize_t n = ::read(fd_.get(), &event, sizeof event);
    if (n <= 0)
        return std::nullopt;
    return UhidCodec::decode(event, static_cast<std::size_t>(n));
}

bool UhidDevice::send(const uhid_event& event) {
    if (!fd_)
        return false;
    // The kernel takes the event whole; a short write is a refusal.
    const ssize_t n = ::write(fd_.get(), &event, sizeof event);
    return n == static_cast<ssize_t>(sizeof event);
}

} // namespace vexo
