// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <array>
#include <cstdint>
#include <span>

#include "device/command_packet.h"
#include "device/hid_link.h"
#include "device/link_trace.h"
#include "platform/pauser.h"

namespace vexo {

// The command packet protocol over the command collection of a HidLink: 8-byte packets in feature
// reports (scrambled after the handshake), data blocks in 32-byte output and input reports.
//
// Every HID call must move the whole report the collection announced (and at least the packet or
// the 32 data bytes behind the report ID); a call that fails or moves fewer bytes is a failed
// exchange, which the operations report to their callers. A failed answer leaves zeros where the
// answer would be, so callers must not use what a failed operation returned. It never passes a HID
// call a length larger than its 16-byte feature buffer or 40-byte block buffer, whatever the
// collection announced. Used on the thread that drives the link only.
class Transport {
public:
    static constexpr std::size_t kBlockDataSize = 32;
    // The largest block a read fills: four input reports.
    static constexpr std::size_t kReadBufferSize = 128;
    static constexpr std::uint8_t kReportId = 0;
    // The shortest reports that carry what the protocol puts in them, report ID included.
    static constexpr std::size_t kMinFeatureReport = 1 + CommandPacket::kSize;
    static constexpr std::size_t kMinBlockReport = 1 + kBlockDataSize;
    static constexpr unsigned kHandshakePauseMs = 5;
    static constexpr unsigned kOutputReportPauseMs = 3;
    static constexpr std::array<std::uint8_t, 4> kProbeBytes{0xAA, 0xDD, 0x3B, 0x62};

    Transport(HidLink& link, Pauser& pauser);

    // Every exchange is also reported to hook (empty: none).
    void setTraceHook(TraceHook hook) { trace_ = std::move(hook); }

    // Fills in the checksum and sends the packet. A write command leaves the packet as the caller
    // built it (checksum included). A read command fetches the answer, which replaces the packet (all
    // zeros when none came whole). Returns true when the set, and for a read the get, moved whole
    // reports.
    bool SendCommand(CommandPacket& packet);

    // Sends the packet like SendCommand, then moves its data block. Write: ceil(L / 32) output reports
    // from buffer (L = packet byte 2), 3 ms pause after each; bytes beyond the end of buffer go out as
    // zeros. Read: the answer replaces the packet, buffer is cleared and filled from ceil(L / 32) input
    // reports, L taken from the answer, but never more reports than buffer holds whole. Returns true
    // when every call moved its whole report; the first that did not ends the block (the rest of a
    // read stays zero), since the mouse and the program no longer agree on where the block stands.
    bool TransferBlock(CommandPacket& packet, std::span<std::uint8_t> buffer);

    // Probes the mouse: plain first, then scrambled with HandshakeKey installed. Only a mouse that
    // answers the scrambled probe is usable: then scramblingOn = 1, mousePresent = 1, notice 14;
    // otherwise scramblingOn = 0, notice 15, mousePresent = 0. An attempt whose probe could not be
    // set counts as unanswered.
    void PerformHandshake();

    // One protocol pause, traced and made through the Pauser.
    void pause(unsigned milliseconds);

    // The handshake probe 00 AA DD 3B 62 00 00 with its checksum.
    static CommandPacket probePacket();

    // HID calls on the command collection so far, and how many of them failed (no collection open
    // counts as a failure). The protocol itself ignores failures; callers that must tell the user
    // whether a whole sequence reached the mouse compare these before and after it.
    std::size_t callCount() const { return calls_; }
    std::size_t failedCallCount() const { return failedCalls_; }

private:
    bool setFeature(const CommandPacket& packet, bool scramble);
    // Counts one call and returns ok.
    bool counted(bool ok);
    // Fetches the answer into answer (zeros unless it came whole); true when it came whole.
    bool getFeature(bool scramble, CommandPacket& answer);
    // The length passed to the HID calls: the announced length, bounded by the buffer.
    std::size_t featureLength() const;
    std::size_t blockLength(std::uint16_t announced) const;
    void traceLine(std::string_view tag, std::span<const std::uint8_t> bytes);
    bool probeAnswered(bool scramble);

    HidLink& link_;
    Pauser& pauser_;
    TraceHook trace_;
    std::array<std::uint8_t, HidLink::kFeatureBufferSize> featureBuffer_{};
    std::array<std::uint8_t, HidLink::kBlockBufferSize> blockBuffer_{};
    std::size_t calls_ = 0;
    std::size_t failedCalls_ = 0;
};

} // namespace vexo
