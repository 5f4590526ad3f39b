// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <memory>
#include <string>

#include "platform/hid_device.h"
#include "base/unique_fd.h"
#include "platform/linux/cancellable_fd_reader.h"

namespace vexo {

// One opened hidraw node. Feature reports go through the node's HIDIOCSFEATURE/HIDIOCGFEATURE
// requests and output reports through write(2) on a read-write descriptor, exactly the calls
// hidapi's hidraw backend makes. The node is not opened through hidapi: hidapi 0.13 (Debian 12)
// writes into freed memory when a node opens but no longer answers, which is what a mouse
// unplugged at that moment does. Input reports are read from a second, read-only descriptor,
// so that a blocked read can be cancelled at once.
//
// Buffers start with the report ID byte as the interface prescribes. The kernel hands input
// reports of a device without report IDs over bare; read() then stores 0 in byte 0, the data
// behind it, and counts the ID byte, so callers see the same layout either way.
//
// On a node opened for writing (the command collection) a read answers a request the caller just
// made, so it gives up after kReplyReadTimeoutMs and returns -1: a device that never sends its
// reports must not hang the caller. Read-only nodes (notifications) wait without limit.
class HidrawDevice final : public HidDevice {
public:
    // Opens the node; nullptr, with errno set, when it cannot be opened or does not answer as a
    // hidraw node (ENOTTY for another kind of file, ENODEV for a node whose device is gone). With
    // readOnly no descriptor for writing is opened, and setFeature, getFeature and write fail.
    static std::unique_ptr<HidrawDevice> open(const std::string& path, bool readOnly);
    // A read-only device over an already open descriptor of a node (or anything that delivers
    // one report per read(2)); takes ownership of fd.
    static std::unique_ptr<HidrawDevice> readOnlyOver(int fd, bool usesReportIds);
    static constexpr int kReplyReadTimeoutMs = 1000;

    int setFeature(std::span<const std::uint8_t> report) override;
    int getFeature(std::span<std::uint8_t> report) override;
    int write(std::span<const std::uint8_t> report) override;
    int read(std::span<std::uint8_t> report) override;
    void discardInput() override;
    void cancelRead() override;

private:
    HidrawDevice(UniqueFd commandFd, int readFd, bool usesReportIds);

    UniqueFd commandFd_; // empty for a read-only device
    CancellableFdReader reader_;
    bool usesReportIds_;
    int readTimeoutMs_;
};

} // namespace vexo
