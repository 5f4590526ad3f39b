// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <array>
#include <cstdint>

#include "device/command_packet.h"

namespace vexo {

// The 8-byte key block of the XOR step: bytes 1-6 are used, bytes 0 and 7 stay zero.
using HandshakeKeyBlock = std::array<std::uint8_t, CommandPacket::kSize>;

// Table of the additive step, byte i serving packet byte i. Printable ASCII, shared with the firmware.
inline constexpr std::array<std::uint8_t, CommandPacket::kSize> PacketKeyTable{'V', 'x', 'o', '5', '8', 'k', 'T', '#'};

// The six constants the handshake installs as bytes 1-6 of the key block before its scrambled attempt.
inline constexpr std::array<std::uint8_t, 6> HandshakeKey{0x5A, 0xC3, 0x17, 0xE8, 0x6D, 0x91};

// The key block with HandshakeKey installed.
HandshakeKeyBlock installedHandshakeKey();

// Transforms the 8 packet bytes (checksum already in place) in place: pair swap, XOR with key bytes
// 1-6, rotation left by 3 bits over the whole packet, then addition of the nibble-swapped table.
void ScramblePacket(std::array<std::uint8_t, CommandPacket::kSize>& p, const HandshakeKeyBlock& key);
// Exact inverse of ScramblePacket with the same key block.
void UnscramblePacket(std::array<std::uint8_t, CommandPacket::kSize>& p, const HandshakeKeyBlock& key);

} // namespace vexo
