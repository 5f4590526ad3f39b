// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/linux/cancellable_fd_reader.h"
#include "platform/linux/hidraw_device.h"

#include <gtest/gtest.h>

#include <array>
#include <future>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace vexo {
namespace {

// A datagram socket pair delivers one message per read, as a hidraw node delivers one report.
struct ReportPipe {
    int writeEnd = -1;
    int readEnd = -1;
    ReportPipe() {
        int fds[2];
        if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, fds) == 0) {
            readEnd = fds[0];
            writeEnd = fds[1];
        }
    }
    ~ReportPipe() {
        if (writeEnd >= 0)
            ::close(writeEnd);
    }
    void send(std::initializer_list<std::uint8_t> bytes) const {
        const std::vector<std::uint8_t> data(bytes);
        ASSERT_EQ(::write(writeEnd, data.data(), data.size()), static_cast<ssize_t>(data.size()));
    }
    void closeWriter() {
        ::close(writeEnd);
        writeEnd = -1;
    }
};

TEST(CancellableFdReaderTest, ReadsOneReportPerCallAndReportsTheEndAsFailure) {
    ReportPipe pipe;
    CancellableFdReader reader(pipe.readEnd);
    ASSERT_TRUE(reader.valid());
    pipe.send({6, 7, 0, 3});
    pipe.send({6, 5, 0, 1, 9});
    std::array<std::uint8_t, 40> buffer{};
    ASSERT_EQ(reader.read(buffer), 4);
    EXPECT_EQ(buffer[1], 7);
    EXPECT_EQ(buffer[3], 3);
    ASSERT_EQ(reader.read(buffer), 5);
    EXPECT_EQ(buffer[1], 5);
    pipe.closeWriter();
    EXPECT_EQ(reader.read(buffer), -1);
}

TEST(CancellableFdReaderTest, CancelWakesABlockedReadAndIsRememberedOnce) {
    ReportPipe pipe;
    CancellableFdReader reader(pipe.readEnd);
    std::array<std::uint8_t, 40> buffer{};

    // A read blocked in another thread returns 0 once cancelled. (If the wake-up were lost
    // the test would hang and CTest's time-out would fail it.)
    auto blocked = std::async(std::launch::async, [&] { return reader.read(buffer); });
    EXPECT_EQ(blocked.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
    reader.cancel();
    EXPECT_EQ(blocked.get(), 0);

    // Cancels that arrive while nobody reads make the next read return 0, counted as one;
    // a report waiting behind the cancel is kept for the read after.
    reader.cancel();
    reader.cancel();
    pipe.send({6, 8, 0, 2});
    EXPECT_EQ(reader.read(buffer), 0);
    EXPECT_EQ(reader.read(buffer), 4);
    EXPECT_EQ(buffer[1], 8);

    // Nothing pending any more: the next read waits again until cancelled.
    auto again = std::async(std::launch::async, [&] { return reader.read(buffer); });
    EXPECT_EQ(again.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
    reader.cancel();
    EXPECT_EQ(again.get(), 0);
}

TEST(CancellableFdReaderTest, ABoundedReadOfASilentDeviceGivesUpButStillDeliversLaterReports) {
    ReportPipe pipe;
    CancellableFdReader reader(pipe.readEnd);
    std::array<std::uint8_t, 40> buffer{};
    // A device that never answers must not hang a caller that waits for a reply.
    EXPECT_EQ(reader.read(buffer, 20), -1);
    pipe.send({0, 1, 2});
    EXPECT_EQ(reader.read(buffer, 20), 3);
    EXPECT_EQ(buffer[2], 2);
}

TEST(CancellableFdReaderTest, InvalidDescriptorOrEmptyBufferFails) {
    CancellableFdReader none(-1);
    EXPECT_FALSE(none.valid());
    std::array<std::uint8_t, 8> buffer{};
    EXPECT_EQ(none.read(buffer), -1);
    none.cancel(); // harmless

    ReportPipe pipe;
    CancellableFdReader reader(pipe.readEnd);
    EXPECT_EQ(reader.read(std::span<std::uint8_t>()), -1);
}

TEST(HidrawDeviceReadTest, ReportsWithoutIdsGetAZeroIdByteInFront) {
    ReportPipe pipe;
    auto device = HidrawDevice::readOnlyOver(pipe.readEnd, false);
    ASSERT_TRUE(device);
    // The kernel hands a report of a device without IDs over bare: 32 data bytes.
    std::vector<std::uint8_t> report(32);
    for (std::size_t i = 0; i < report.size(); ++i)
        report[i] = static_cast<std::uint8_t>(0xA0 + i);
    ASSERT_EQ(::write(pipe.writeEnd, report.data(), report.size()), 32);
    std::array<std::uint8_t, 40> buffer;
    buffer.fill(0xEE);
    ASSERT_EQ(device->read(std::span(buffer).first(33)), 33);
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(buffer[1], 0xA0);
    EXPECT_EQ(buffer[32], 0xBF);
    EXPECT_EQ(buffer[33], 0xEE) << "nothing written past the given span";

    // Cancelling still reads as 0, not as a one-byte report.
    device->cancelRead();
    EXPECT_EQ(device->read(buffer), 0);

    // Without a handle for commands, the command calls fail instead of pretending.
    const std::array<std::uint8_t, 9> packet{};
    EXPECT_EQ(device->setFeature(packet), -1);
    std::array<std::uint8_t, 9> answer{};
    EXPECT_EQ(device->getFeature(answer), -1);
    EXPECT_EQ(device->write(packet), -1);
}

TEST(HidrawDeviceReadTest, ReportsWithIdsPassUnchanged) {
    ReportPipe pipe;
    auto device = HidrawDevice::readOnlyOver(pipe.readEnd, true);
    ASSERT_TRUE(device);
    pipe.send({6, 9, 0, 4});
    std::array<std::uint8_t, 40> buffer{};
    ASSERT_EQ(device->read(buffer), 4);
    EXPECT_EQ(buffer[0], 6);
    EXPECT_EQ(buffer[3], 4);
    pipe.closeWriter();
    EXPECT_EQ(device->read(buffer), -1);
}

} // namespace
} // namespace vexo
