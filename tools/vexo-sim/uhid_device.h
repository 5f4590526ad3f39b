// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>
#include <linux/uhid.h>
#include <optional>
#include <span>
#include <string>

#include "base/unique_fd.h"
#include "uhid_codec.h"

namespace vexo {

// One virtual HID device on /dev/uhid: created on construction, destroyed with the object.
class UhidDevice {
public:
    static constexpr const char* kNode = "/dev/uhid";

    UhidDevice() = default;
    ~UhidDevice();
    UhidDevice(const UhidDevice&) = delete;
    UhidDevice& operator=(const UhidDevice&) = delete;

    // Opens /dev/uhid and creates the device. On failure returns false and error() says why.
    bool create(const std::string& name, std::uint16_t vendorId, std::uint16_t productId,
                std::span<const std::uint8_t> descriptor);
    // Removes the device (it is unplugged); create() may make it again.
    void destroy();
    bool created() const { return fd_.valid(); }
    const std::string& error() const { return error_; }

    // Readable when the kernel has a request for the device.
    int fd() const { return fd_.get(); }
    // Reads one pending request; nothing when none is pending or the event is malformed.
    std::optional<UhidRequest> readRequest();
    // Sends one event; false when the kernel refused it.
    bool send(const uhid_event& event);

private:
    UniqueFd fd_;
    std::string error_;
};

} // namespace vexo
