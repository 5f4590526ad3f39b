// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "device/command_packet.h"
#include "device/device_image.h"
#include "platform/hid_backend.h"
#include "sim/sim_exchange.h"
#include "sim/sim_faults.h"

namespace vexo {

// The mouse's firmware as far as the protocol states it: it rejects the plain handshake probe and
// answers the scrambled one, keeps its data blocks, answers the read commands, accepts writes and
// block reports, and sends notification reports (report ID 6). It can be unplugged and plugged again
// and has fault modes (SimFaults). Every call that reaches it is recorded.
//
// Thread-safe: a notification read may block in one thread while another drives the commands.
class SimMouse {
public:
    static constexpr std::uint16_t kVendorId = 0x04D9;
    static constexpr std::uint16_t kProductId = 0xA09F;
    static constexpr std::uint16_t kAnnouncedFeatureLength = 9;
    static constexpr std::uint16_t kAnnouncedBlockLength = 33;
    static constexpr std::uint16_t kAnnouncedNotifyLength = 9;
    static constexpr std::uint16_t kOversizedLength = 65;

    // Which collection a handle was opened on.
    enum class Collection { Pointer, Keyboard, Notify, Command };
    // Called on plug (true) and unplug (false) with the mouse's collections.
    using PlugObserver = std::function<void(bool plugged, const std::vector<HidCollectionInfo>& collections)>;

    explicit SimMouse(std::uint8_t sensorType = 3);

    void setFaults(const SimFaults& faults);
    SimFaults faults() const;

    // Plugged in at construction. Unplugging kills every open handle for good, as on a real bus.
    void plug();
    void unplug();
    bool plugged() const;
    // Changes with every plug and unplug; a handle opened in another epoch is dead.
    std::uint64_t epoch() const;
    void addPlugObserver(PlugObserver observer);

    // The mouse's own collections (empty when unplugged), and an unrelated device's, in enumeration order.
    std::vector<HidCollectionInfo> enumerate() const;

    // The mouse sends a notification report: ID 6, kind, 0, value.
    void pushNotice(std::uint8_t kind, std::uint8_t value);
    // The mouse sends this raw report on the notification collection.
    void pushNotificationReport(std::vector<std::uint8_t> report);

    // Notification reports sent but not read yet.
    std::size_t pendingNotices() const;

    // Wire calls of the handles (SimHidDevice); epoch is the handle's.
    // Each returns the bytes moved, or -1 when the call failed.
    int setFeature(std::uint64_t epoch, std::span<const std::uint8_t> report);
    int getFeature(std::uint64_t epoch, std::span<std::uint8_t> report);
    int writeOutput(std::uint64_t epoch, std::span<const std::uint8_t> report);
    int readInput(std::uint64_t epoch, std::span<std::uint8_t> report);
    // Drops the command collection's unread block reports.
    void discardInput(std::uint64_t epoch);
    // Blocks until a notification report, unplugging, or *cancelled turns true (then resets it, returns 0).
    int readNotice(std::uint64_t epoch, std::span<std::uint8_t> report, bool& cancelled);
    // Sets *cancelled and wakes blocked notification reads.
    void cancelNoticeRead(bool& cancelled);
    // Bookkeeping of handles, to catch a handle closed while a thread is blocked reading it.
    void noteReaderEnters();
    void noteReaderLeaves();
    int readersBlocked() const;
    void noteHandleClosed(bool whileReading);
    int handlesClosedWhileReading() const;

    // The firmware's state.
    DeviceImage blocks() const;
    void setBlocks(const DeviceImage& blocks);
    bool scrambling() const;
    std::vector<SimExchange> exchanges() const;
    void clearExchanges();
    // Recording is on at start; long benchmark runs switch it off.
    void setRecording(bool on);
    // Packets received with a wrong checksum (after unscrambling).
    int badChecksums() const;

private:
    bool aliveLocked(std::uint64_t epoch) const { return plugged_ && epoch == epoch_; }
    void handlePacketLocked(const CommandPacket& packet);
    void commitBlockLocked();
    void unplugLocked();
    void record(SimExchange::Kind kind, std::size_t length, bool ok, std::span<const std::uint8_t> bytes);

    mutable std::mutex mutex_;
    std::condition_variable noticeArrived_;
    SimFaults faults_;
    bool plugged_ = true;
    std::uint64_t epoch_ = 1;
    std::vector<PlugObserver> observers_;

    DeviceImage blocks_;
    bool scrambling_ = false;
    CommandPacket answer_;
    // The block write in progress: opcode, index, announced length and the data so far.
    struct PendingWrite {
        CommandPacket packet;
        std::vector<std::uint8_t> data;
    };
    std::optional<PendingWrite> pendingWrite_;
    std::deque<std::vector<std::uint8_t>> blockReports_;
    std::deque<std::vector<std::uint8_t>> notices_;
    int setsSeen_ = 0;
    int badChecksums_ = 0;
    int readersBlocked_ = 0;
    int closedWhileReading_ = 0;
    std::mt19937 random_{58};
    std::vector<SimExchange> exchanges_;
    bool recording_ = true;
};

} // namespace vexo
