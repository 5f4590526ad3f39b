// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "device/transport.h"

#include <algorithm>
#include <cstring>

namespace vexo {
namespace {

std::size_t reportCount(std::size_t length, std::size_t reportData) { return (length + reportData - 1) / reportData; }

} // namespace

Transport::Transport(HidLink& link, Pauser& pauser) : link_(link), pauser_(pauser) {}

CommandPacket Transport::probePacket() {
    CommandPacket probe(0x00);
    std::copy(kProbeBytes.begin(), kProbeBytes.end(), probe.bytes.begin() + 1);
    probe.fillChecksum();
    return probe;
}

void Transport::traceLine(std::string_view tag, std::span<const std::uint8_t> bytes) {
    if (trace_)
        trace_(formatTraceLine(tag, bytes));
}

void Transport::pause(unsigned milliseconds) {
    if (trace_)
        trace_("PAUSE " + std::to_string(milliseconds));
    pauser_.pause(milliseconds);
}

std::size_t Transport::featureLength() const {
    return std::min<std::size_t>(link_.featureReportLength, featureBuffer_.size());
}

std::size_t Transport::blockLength(std::uint16_t announced) const {
    return std::min<std::size_t>(announced, blockBuffer_.size());
}

bool Transport::setFeature(const CommandPacket& packet, bool scramble) {
    traceLine("SET", packet.bytes);
    auto wire = packet.bytes;
    if (scramble)
        ScramblePacket(wire, link_.handshakeKey);
    featureBuffer_.fill(0);
    featureBuffer_[0] = kReportId;
    std::copy(wire.begin(), wire.end(), featureBuffer_.begin() + 1);
    HidDevice* device = link_.commandDevice();
    const std::size_t length = featureLength();
    // A report too short for the packet cannot carry it, whatever the call says.
    if (device == nullptr || length < kMinFeatureReport)
        return counted(false);
    return counted(device->setFeature(std::span(featureBuffer_.data(), length)) == static_cast<int>(length));
}

bool Transport::counted(bool ok) {
    ++calls_;
    if (!ok)
        ++failedCalls_;
    return ok;
}

bool Transport::getFeature(bool scramble, CommandPacket& answer) {
    featureBuffer_.fill(0);
    featureBuffer_[0] = kReportId;
    bool received = false;
    const std::size_t length = featureLength();
    if (HidDevice* device = link_.commandDevice(); device != nullptr && length >= kMinFeatureReport)
        received = device->getFeature(std::span(featureBuffer_.data(), length)) == static_cast<int>(length);
    counted(received);
    // A missing or short answer yields zeros, never the part that came: unscrambling a partial
    // buffer would turn it into noise that looks like something the mouse said.
    answer = CommandPacket();
    if (received) {
        std::copy(featureBuffer_.begin() + 1, featureBuffer_.begin() + 1 + CommandPacket::kSize, answer.bytes.begin());
        if (scramble)
            UnscramblePacket(answer.bytes, link_.handshakeKey);
    }
    traceLine(received ? "GET" : "GET-FAILED", answer.bytes);
    return received;
}

bool Transport::SendCommand(CommandPacket& packet) {
    packet.fillChecksum();
    const bool scramble = link_.scramblingOn != 0;
    const bool sent = setFeature(packet, scramble);
    if (!packet.isRead())
        return sent;
    const bool received = getFeature(scramble, packet);
    return sent && received;
}

bool Transport::TransferBlock(CommandPacket& packet, std::span<std::uint8_t> buffer) {
    packet.fillChecksum();
    const bool scramble = link_.scramblingOn != 0;
    HidDevice* device = link_.commandDevice();
    // Reports of an earlier read that came too late, or beyond what it took, would otherwise be
    // read as this block's and shift it.
    if (device != nullptr && packet.isRead())
        device->discardInput();
    bool whole = setFeature(packet, scramble);

    if (!packet.isRead()) {
        const std::size_t reports = reportCount(packet.blockLength(), kBlockDataSize);
        const std::size_t length = blockLength(link_.outputReportLength);
        for (std::size_t r = 0; whole && r < reports; ++r) {
            blockBuffer_.fill(0);
            blockBuffer_[0] = kReportId;
            const std::size_t offset = r * kBlockDataSize;
            if (offset < buffer.size()) {
                const std::size_t n = std::min(kBlockDataSize, buffer.size() - offset);
                std::memcpy(blockBuffer_.data() + 1, buffer.data() + offset, n);
            }
            traceLine("OUT", std::span(blockBuffer_.data() + 1, kBlockDataSize));
            whole = counted(device != nullptr && length >= kMinBlockReport &&
                            device->write(std::span(blockBuffer_.data(), length)) == static_cast<int>(length));
            pause(kOutputReportPauseMs);
        }
        return whole;
    }

    std::fill(buffer.begin(), buffer.end(), 0);
    whole = getFeature(scramble, packet) && whole;
    // Without a whole answer its length byte is no length at all.
    const std::size_t reports =
        whole ? std::min(reportCount(packet.blockLength(), kBlockDataSize), buffer.size() / kBlockDataSize) : 0;
    const std::size_t length = blockLength(link_.inputReportLength);
    for (std::size_t r = 0; whole && r < reports; ++r) {
        blockBuffer_.fill(0);
        whole = counted(device != nullptr && length >= kMinBlockReport &&
                        device->read(std::span(blockBuffer_.data(), length)) == static_cast<int>(length));
        if (!whole) {
            traceLine("IN-FAILED", std::span(blockBuffer_.data() + 1, kBlockDataSize));
            break;
        }
        std::memcpy(buffer.data() + r * kBlockDataSize, blockBuffer_.data() + 1, kBlockDataSize);
        traceLine("IN", std::span(blockBuffer_.data() + 1, kBlockDataSize));
    }
    return whole;
}

bool Transport::probeAnswered(bool scramble) {
    const bool delivered = setFeature(probePacket(), scramble);
    pause(kHandshakePauseMs);
    CommandPacket answer;
    const bool answered = getFeature(scramble, answer);
    // A probe that never reached the mouse cannot have been answered, whatever stale answer the get
    // returns.
    return delivered && answered && std::equal(kProbeBytes.begin(), kProbeBytes.end(), answer.bytes.begin() + 1);
}

void Transport::PerformHandshake() {
    bool scrambledAnswered = false;
    if (!probeAnswered(false)) {
        link_.handshakeKey = installedHandshakeKey();
        scrambledAnswered = probeAnswered(true);
    }
    if (scrambledAnswered) {
        link_.scramblingOn = 1;
        // Present before it is announced: whoever handles the notice may use the mouse at once.
        link_.setMousePresent(1);
        link_.listener().deviceNotice(kNoticeMousePresent, 0);
    } else {
        link_.scramblingOn = 0;
        link_.listener().deviceNotice(kNoticeNoMouse, 0);
        link_.setMousePresent(0);
    }
}

} // namespace vexo
