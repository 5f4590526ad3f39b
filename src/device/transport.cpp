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
    if (trace_) trace_(formatTraceLine(tag, bytes));
}

void Transport::pause(unsigned milliseconds) {
    if (trace_) trace_("PAUSE " + std::to_string(milliseconds));
    pauser_.pause(milliseconds);
}

bool Transport::setFeature(const CommandPacket& packet, bool scramble) {
    traceLine("SET", packet.bytes);
    auto wire = packet.bytes;
    if (scramble) ScramblePacket(wire, link_.handshakeKey);
    featureBuffer_.fill(0);
    featureBuffer_[0] = kReportId;
    std::copy(wire.begin(), wire.end(), featureBuffer_.begin() + 1);
    HidDevice* device = link_.commandDevice();
    if (device == nullptr) return counted(false);
    const std::size_t length = std::min<std::size_t>(link_.featureReportLength, featureBuffer_.size());
    return counted(device->setFeature(std::span(featureBuffer_.data(), length)));
}

bool Transport::counted(bool ok) {
    ++calls_;
    if (!ok) ++failedCalls_;
    return ok;
}

CommandPacket Transport::getFeature(bool scramble) {
    featureBuffer_.fill(0);
    featureBuffer_[0] = kReportId;
    bool received = false;
    if (HidDevice* device = link_.commandDevice()) {
        const std::size_t length = std::min<std::size_t>(link_.featureReportLength, featureBuffer_.size());
        received = device->getFeature(std::span(featureBuffer_.data(), length)) >= 0;
    }
    counted(received);
    // A mouse that answered nothing (gone, or the call failed) yields a zero answer; unscrambling the
    // empty buffer would turn it into noise that lands in the image as if the mouse had sent it.
    CommandPacket answer;
    if (received) {
        std::copy(featureBuffer_.begin() + 1, featureBuffer_.begin() + 1 + CommandPacket::kSize, answer.bytes.begin());
        if (scramble) UnscramblePacket(answer.bytes, link_.handshakeKey);
    }
    traceLine("GET", answer.bytes);
    return answer;
}

bool Transport::SendCommand(CommandPacket& packet) {
    packet.fillChecksum();
    const bool scramble = link_.scramblingOn != 0;
    const bool sent = setFeature(packet, scramble);
    if (!packet.isRead()) return sent;
    packet = getFeature(scramble);
    return true;
}

void Transport::TransferBlock(CommandPacket& packet, std::span<std::uint8_t> buffer) {
    packet.fillChecksum();
    const bool scramble = link_.scramblingOn != 0;
    HidDevice* device = link_.commandDevice();
    // Reports of an earlier read that came too late, or beyond what it took, would otherwise be
    // read as this block's and shift it.
    if (device != nullptr && packet.isRead()) device->discardInput();
    setFeature(packet, scramble);

    if (!packet.isRead()) {
        const std::size_t reports = reportCount(packet.blockLength(), kBlockDataSize);
        const std::size_t length = std::min<std::size_t>(link_.outputReportLength, blockBuffer_.size());
        for (std::size_t r = 0; r < reports; ++r) {
            blockBuffer_.fill(0);
            blockBuffer_[0] = kReportId;
            const std::size_t offset = r * kBlockDataSize;
            if (offset < buffer.size()) {
                const std::size_t n = std::min(kBlockDataSize, buffer.size() - offset);
                std::memcpy(blockBuffer_.data() + 1, buffer.data() + offset, n);
            }
            traceLine("OUT", std::span(blockBuffer_.data() + 1, kBlockDataSize));
            counted(device != nullptr && device->write(std::span(blockBuffer_.data(), length)) >= 0);
            pause(kOutputReportPauseMs);
        }
        return;
    }

    std::fill(buffer.begin(), buffer.end(), 0);
    packet = getFeature(scramble);
    const std::size_t reports =
        std::min(reportCount(packet.blockLength(), kBlockDataSize), buffer.size() / kBlockDataSize);
    const std::size_t length = std::min<std::size_t>(link_.inputReportLength, blockBuffer_.size());
    for (std::size_t r = 0; r < reports; ++r) {
        blockBuffer_.fill(0);
        // A failed read is not examined: its report counts as zeros.
        if (!counted(device != nullptr && device->read(std::span(blockBuffer_.data(), length)) >= 0)) blockBuffer_.fill(0);
        std::memcpy(buffer.data() + r * kBlockDataSize, blockBuffer_.data() + 1, kBlockDataSize);
        traceLine("IN", std::span(blockBuffer_.data() + 1, kBlockDataSize));
    }
}

bool Transport::probeAnswered(bool scramble) {
    const bool delivered = setFeature(probePacket(), scramble);
    pause(kHandshakePauseMs);
    const CommandPacket answer = getFeature(scramble);
    // A probe that never reached the mouse cannot have been answered, whatever stale answer the get
    // returns.
    return delivered && std::equal(kProbeBytes.begin(), kProbeBytes.end(), answer.bytes.begin() + 1);
}

void Transport::PerformHandshake() {
    bool scrambledAnswered = false;
    if (!probeAnswered(false)) {
        link_.handshakeKey = installedHandshakeKey();
        scrambledAnswered = probeAnswered(true);
    }
    if (scrambledAnswered) {
        link_.scramblingOn = 1;
        link_.listener().deviceNotice(kNoticeMousePresent, 0);
        link_.setMousePresent(1);
    } else {
        link_.scramblingOn = 0;
        link_.listener().deviceNotice(kNoticeNoMouse, 0);
        link_.setMousePresent(0);
    }
}

} // namespace vexo
