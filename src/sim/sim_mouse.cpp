// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "sim/sim_mouse.h"

#include <algorithm>

#include "device/device_commands.h"
#include "device/hid_link.h"
#include "device/notice_report.h"
#include "device/packet_scrambler.h"
#include "device/transport.h"

namespace vexo {
namespace {

constexpr std::size_t kData = Transport::kBlockDataSize;

HidCollectionInfo collection(const char* path, std::uint16_t page, std::uint16_t usage) {
    HidCollectionInfo info;
    info.path = path;
    info.vendorId = HidLink::kVendorId;
    info.productId = HidLink::kProductId;
    info.usagePage = page;
    info.usage = usage;
    return info;
}

bool isProbe(const CommandPacket& packet) { return packet == Transport::probePacket(); }

} // namespace

SimMouse::SimMouse(std::uint8_t sensorType) {
    blocks_.sensor = {static_cast<std::uint8_t>(sensorType & 0x03), 0x02, 0x11, 0x05};
    blocks_.lighting = {0x01, 0x03, 0x02};
    blocks_.ledSets = {{{0x10, 0x20, 0x30}, {0x40, 0x50, 0x60}}};
    for (std::size_t i = 0; i < blocks_.colourBlock0.size(); ++i)
        blocks_.colourBlock0[i] = static_cast<std::uint8_t>(0xA0 + i);
    for (std::size_t i = 0; i < blocks_.colourBlock1.size(); ++i)
        blocks_.colourBlock1[i] = static_cast<std::uint8_t>(0x10 * (i % 3) + i);
    blocks_.colourBlock2 = {0xC1, 0xC2, 0xC3, 0xC4};
}

void SimMouse::setFaults(const SimFaults& faults) {
    std::lock_guard lock(mutex_);
    faults_ = faults;
    setsSeen_ = 0;
}

SimFaults SimMouse::faults() const {
    std::lock_guard lock(mutex_);
    return faults_;
}

void SimMouse::addPlugObserver(PlugObserver observer) {
    std::lock_guard lock(mutex_);
    observers_.push_back(std::move(observer));
}

std::vector<HidCollectionInfo> SimMouse::enumerate() const {
    std::lock_guard lock(mutex_);
    std::vector<HidCollectionInfo> list;
    // Another vendor's device comes first, so that the search has something to pass over.
    HidCollectionInfo other = collection("sim/hidraw9", 0x0001, 0x0002);
    other.vendorId = 0x046D;
    other.productId = 0xC077;
    other.inputReportLength = 8;
    list.push_back(other);
    if (!plugged_)
        return list;

    HidCollectionInfo pointer = collection("sim/hidraw0", 0x0001, 0x0002);
    pointer.inputReportLength = 8;
    HidCollectionInfo keyboard = collection("sim/hidraw0", 0x0001, 0x0006);
    keyboard.inputReportLength = 9;
    const std::uint16_t extra = faults_.oversizedReportLengths ? kOversizedLength : 0;
    HidCollectionInfo notify = collection("sim/hidraw1", HidLink::kNotifyUsagePage, HidLink::kNotifyUsage);
    notify.inputReportLength = extra ? extra : kAnnouncedNotifyLength;
    HidCollectionInfo command = collection("sim/hidraw2", HidLink::kCommandUsagePage, HidLink::kCommandUsage);
    command.featureReportLength = extra ? extra : kAnnouncedFeatureLength;
    command.inputReportLength = extra ? extra : kAnnouncedBlockLength;
    command.outputReportLength = extra ? extra : kAnnouncedBlockLength;
    if (faults_.descriptorFailure != HidCollectionInfo::Failure::None) {
        notify = collection(notify.path.c_str(), 0, 0);
        command = collection(command.path.c_str(), 0, 0);
        notify.failure = command.failure = faults_.descriptorFailure;
    }
    list.push_back(pointer);
    list.push_back(keyboard);
    if (faults_.commandCollectionFirst) {
        list.push_back(command);
        list.push_back(notify);
    } else {
        list.push_back(notify);
        list.push_back(command);
    }
    return list;
}

void SimMouse::plug() {
    std::vector<PlugObserver> observers;
    {
        std::lock_guard lock(mutex_);
        if (plugged_)
            return;
        plugged_ = true;
        ++epoch_;
        observers = observers_;
    }
    const auto collections = enumerate();
    for (auto& observer : observers)
        observer(true, collections);
}

void SimMouse::unplugLocked() {
    plugged_ = false;
    ++epoch_;
    scrambling_ = false;
    pendingWrite_.reset();
    blockReports_.clear();
    notices_.clear();
    noticeArrived_.notify_all();
}

void SimMouse::unplug() {
    std::vector<PlugObserver> observers;
    std::vector<HidCollectionInfo> collections;
    {
        std::lock_guard lock(mutex_);
        if (!plugged_)
            return;
        observers = observers_;
    }
    collections = enumerate();
    {
        std::lock_guard lock(mutex_);
        unplugLocked();
    }
    for (auto& observer : observers)
        observer(false, collections);
}

bool SimMouse::plugged() const {
    std::lock_guard lock(mutex_);
    return plugged_;
}

std::uint64_t SimMouse::epoch() const {
    std::lock_guard lock(mutex_);
    return epoch_;
}

void SimMouse::pushNotice(std::uint8_t kind, std::uint8_t value) {
    pushNotificationReport({NoticeReport::kReportId, kind, 0, value, 0, 0, 0, 0, 0});
}

void SimMouse::pushNotificationReport(std::vector<std::uint8_t> report) {
    std::lock_guard lock(mutex_);
    if (!plugged_)
        return;
    notices_.push_back(std::move(report));
    noticeArrived_.notify_all();
}

std::size_t SimMouse::pendingNotices() const {
    std::lock_guard lock(mutex_);
    return notices_.size();
}

void SimMouse::record(SimExchange::Kind kind, std::size_t length, bool ok, std::span<const std::uint8_t> bytes) {
    if (!recording_)
        return;
    exchanges_.push_back(SimExchange{kind, length, ok, std::vector<std::uint8_t>(bytes.begin(), bytes.end())});
}

namespace {

// What a short transfer of the given fault moves instead of the whole length, or the length itself.
std::size_t shortened(int fault, std::size_t length) {
    return fault >= 0 ? std::min(length, static_cast<std::size_t>(fault)) : length;
}

} // namespace

int SimMouse::setFeature(std::uint64_t epoch, std::span<const std::uint8_t> report) {
    std::lock_guard lock(mutex_);
    bool ok = aliveLocked(epoch) && !faults_.failSet && report.size() >= 1 + CommandPacket::kSize;
    if (ok && faults_.unplugAfterSets >= 0 && setsSeen_ >= faults_.unplugAfterSets) {
        unplugLocked();
        ok = false;
    }
    record(SimExchange::Kind::SetFeature, report.size(), ok, report);
    if (!ok)
        return -1;
    ++setsSeen_;
    if (faults_.shortSet >= 0)
        return static_cast<int>(shortened(faults_.shortSet, report.size()));
    const int whole = static_cast<int>(report.size());

    CommandPacket packet;
    std::copy_n(report.begin() + 1, CommandPacket::kSize, packet.bytes.begin());
    answer_ = CommandPacket();
    // A new command abandons a block write that did not get all its reports.
    pendingWrite_.reset();
    if (!faults_.keepUnreadReports)
        blockReports_.clear();

    if (isProbe(packet)) {
        // Every handshake starts plain. This firmware refuses the plain probe; an unsupported one echoes it.
        scrambling_ = false;
        if (faults_.echoPlainProbe)
            answer_ = packet;
        return whole;
    }
    if (faults_.echoPlainProbe)
        return whole;
    const HandshakeKeyBlock key = installedHandshakeKey();
    UnscramblePacket(packet.bytes, key);
    if (!scrambling_) {
        if (isProbe(packet)) {
            scrambling_ = true;
            answer_ = packet;
        }
        // Before the handshake nothing else is understood.
        return whole;
    }
    if (!packet.checksumValid()) {
        ++badChecksums_;
        return whole;
    }
    handlePacketLocked(packet);
    return whole;
}

void SimMouse::handlePacketLocked(const CommandPacket& p) {
    using C = DeviceCommands;
    auto answerWith = [&](std::initializer_list<std::uint8_t> bytes) {
        answer_ = CommandPacket();
        std::copy(bytes.begin(), bytes.end(), answer_.bytes.begin());
        answer_.fillChecksum();
    };
    switch (p.opcode()) {
    case C::kWriteReportRate: blocks_.reportRate = p[1]; break;
    case C::kWriteSensorBlock: std::copy_n(p.bytes.begin() + 1, 4, blocks_.sensor.begin()); break;
    case C::kReadSensorBlock:
        answerWith({p.opcode(), blocks_.sensor[0], blocks_.sensor[1], blocks_.sensor[2], blocks_.sensor[3]});
        break;
    case C::kWriteLightingBlock: std::copy_n(p.bytes.begin() + 1, 3, blocks_.lighting.begin()); break;
    case C::kReadLightingBlock:
        answerWith({p.opcode(), blocks_.lighting[0], blocks_.lighting[1], blocks_.lighting[2]});
        break;
    case C::kWriteLedSet:
        if (p.index() < DeviceImage::kLedSetCount)
            std::copy_n(p.bytes.begin() + 2, 3, blocks_.ledSets[p.index()].begin());
        break;
    case C::kReadLedSet:
        if (p.index() < DeviceImage::kLedSetCount) {
            const auto& set = blocks_.ledSets[p.index()];
            answerWith({p.opcode(), p.index(), set[0], set[1], set[2]});
        } else {
            answerWith({p.opcode(), p.index()});
        }
        break;
    case C::kReadColourBlock: {
        std::vector<std::uint8_t> data;
        if (p.index() < DeviceImage::kColourBlockCount) {
            const auto block = blocks_.colourBlock(p.index());
            data.assign(block.begin(), block.end());
        }
        const std::size_t announced = faults_.announcedBlockLength ? faults_.announcedBlockLength : data.size();
        data.resize(announced, 0xEE);
        answerWith({p.opcode(), p.index(), static_cast<std::uint8_t>(announced)});
        for (std::size_t offset = 0; offset < data.size(); offset += kData) {
            std::vector<std::uint8_t> report(1 + kData, 0);
            std::copy(data.begin() + offset, data.begin() + std::min(data.size(), offset + kData), report.begin() + 1);
            blockReports_.push_back(std::move(report));
        }
        break;
    }
    case C::kWriteColourBlock:
    case C::kWriteDpiBlock:
    case C::kWriteKeyMatrix:
    case C::kWriteMacro:
        if (p.blockLength() > 0)
            pendingWrite_ = PendingWrite{p, {}};
        break;
    default: break; // unknown commands are ignored
    }
    if (faults_.answeredIndex >= 0 && (p.opcode() == C::kReadLedSet || p.opcode() == C::kReadColourBlock)) {
        answer_[CommandPacket::kIndexByte] = static_cast<std::uint8_t>(faults_.answeredIndex);
        answer_.fillChecksum();
    }
}

void SimMouse::commitBlockLocked() {
    using C = DeviceCommands;
    const CommandPacket& p = pendingWrite_->packet;
    const std::vector<std::uint8_t>& data = pendingWrite_->data;
    auto store = [&](std::span<std::uint8_t> target) {
        std::copy_n(data.begin(), std::min({target.size(), data.size(), std::size_t(p.blockLength())}), target.begin());
    };
    switch (p.opcode()) {
    case C::kWriteColourBlock:
        if (p.index() < DeviceImage::kColourBlockCount)
            store(blocks_.colourBlock(p.index()));
        break;
    case C::kWriteDpiBlock:
        if (p.index() == C::kDpiBlockIndex)
            store(blocks_.dpi);
        break;
    case C::kWriteKeyMatrix:
        if (p.index() >= 1 && p.index() <= DeviceImage::kKeyMatrixCount)
            store(blocks_.keyMatrices[p.index() - 1]);
        break;
    case C::kWriteMacro:
        if (p.index() >= 1 && p.index() <= DeviceImage::kMacroCount)
            store(blocks_.macros[p.index() - 1]);
        break;
    default: break;
    }
    pendingWrite_.reset();
}

int SimMouse::getFeature(std::uint64_t epoch, std::span<std::uint8_t> report) {
    std::lock_guard lock(mutex_);
    const bool ok = aliveLocked(epoch) && !faults_.failGet && !report.empty();
    if (!ok) {
        record(SimExchange::Kind::GetFeature, report.size(), false, {});
        return -1;
    }
    std::array<std::uint8_t, 1 + CommandPacket::kSize> wire{};
    auto packet = answer_.bytes;
    if (scrambling_)
        ScramblePacket(packet, installedHandshakeKey());
    std::copy(packet.begin(), packet.end(), wire.begin() + 1);
    if (faults_.garbageAnswers)
        for (auto& b : wire)
            b = static_cast<std::uint8_t>(random_());
    const std::size_t n = shortened(faults_.shortGet, std::min(report.size(), wire.size()));
    std::copy_n(wire.begin(), n, report.begin());
    record(SimExchange::Kind::GetFeature, report.size(), true, std::span(wire.data(), n));
    return static_cast<int>(n);
}

int SimMouse::writeOutput(std::uint64_t epoch, std::span<const std::uint8_t> report) {
    std::lock_guard lock(mutex_);
    const bool ok = aliveLocked(epoch) && !faults_.failWrite && !report.empty();
    record(SimExchange::Kind::Write, report.size(), ok, report);
    if (!ok)
        return -1;
    if (faults_.shortWrite >= 0)
        return static_cast<int>(shortened(faults_.shortWrite, report.size()));
    if (pendingWrite_) {
        const auto data = report.subspan(1, std::min(kData, report.size() - 1));
        pendingWrite_->data.insert(pendingWrite_->data.end(), data.begin(), data.end());
        if (pendingWrite_->data.size() >= pendingWrite_->packet.blockLength())
            commitBlockLocked();
    }
    return static_cast<int>(report.size());
}

int SimMouse::readInput(std::uint64_t epoch, std::span<std::uint8_t> report) {
    std::lock_guard lock(mutex_);
    // A real read would wait for the report; with none queued the simulated one fails at once.
    const bool ok = aliveLocked(epoch) && !faults_.failRead && !report.empty() && !blockReports_.empty();
    if (!ok) {
        record(SimExchange::Kind::Read, report.size(), false, {});
        return -1;
    }
    std::vector<std::uint8_t> next = std::move(blockReports_.front());
    blockReports_.pop_front();
    if (faults_.garbageAnswers)
        for (auto& b : next)
            b = static_cast<std::uint8_t>(random_());
    const std::size_t n = shortened(faults_.shortRead, std::min(report.size(), next.size()));
    std::copy_n(next.begin(), n, report.begin());
    record(SimExchange::Kind::Read, report.size(), true, std::span(next.data(), n));
    return static_cast<int>(n);
}

void SimMouse::discardInput(std::uint64_t epoch) {
    std::lock_guard lock(mutex_);
    if (aliveLocked(epoch))
        blockReports_.clear();
}

int SimMouse::readNotice(std::uint64_t epoch, std::span<std::uint8_t> report, bool& cancelled) {
    std::unique_lock lock(mutex_);
    noticeArrived_.wait(lock, [&] { return cancelled || !aliveLocked(epoch) || !notices_.empty(); });
    if (cancelled) {
        cancelled = false;
        return 0;
    }
    if (!aliveLocked(epoch))
        return -1;
    std::vector<std::uint8_t> next = std::move(notices_.front());
    notices_.pop_front();
    const std::size_t n = std::min(report.size(), next.size());
    std::copy_n(next.begin(), n, report.begin());
    record(SimExchange::Kind::NoticeRead, report.size(), true, std::span(next.data(), n));
    return static_cast<int>(n);
}

void SimMouse::cancelNoticeRead(bool& cancelled) {
    std::lock_guard lock(mutex_);
    cancelled = true;
    noticeArrived_.notify_all();
}

void SimMouse::noteReaderEnters() {
    std::lock_guard lock(mutex_);
    ++readersBlocked_;
}

void SimMouse::noteReaderLeaves() {
    std::lock_guard lock(mutex_);
    --readersBlocked_;
}

int SimMouse::readersBlocked() const {
    std::lock_guard lock(mutex_);
    return readersBlocked_;
}

void SimMouse::noteHandleClosed(bool whileReading) {
    std::lock_guard lock(mutex_);
    if (whileReading)
        ++closedWhileReading_;
}

int SimMouse::handlesClosedWhileReading() const {
    std::lock_guard lock(mutex_);
    return closedWhileReading_;
}

DeviceImage SimMouse::blocks() const {
    std::lock_guard lock(mutex_);
    return blocks_;
}

void SimMouse::setBlocks(const DeviceImage& blocks) {
    std::lock_guard lock(mutex_);
    blocks_ = blocks;
}

bool SimMouse::scrambling() const {
    std::lock_guard lock(mutex_);
    return scrambling_;
}

std::vector<SimExchange> SimMouse::exchanges() const {
    std::lock_guard lock(mutex_);
    return exchanges_;
}

void SimMouse::clearExchanges() {
    std::lock_guard lock(mutex_);
    exchanges_.clear();
}

void SimMouse::setRecording(bool on) {
    std::lock_guard lock(mutex_);
    recording_ = on;
}

int SimMouse::badChecksums() const {
    std::lock_guard lock(mutex_);
    return badChecksums_;
}

} // namespace vexo
