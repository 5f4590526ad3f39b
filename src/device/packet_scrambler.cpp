// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "device/packet_scrambler.h"

#include <utility>

namespace vexo {
namespace {

constexpr std::size_t kN = CommandPacket::kSize;

std::uint8_t nibbleSwapped(std::uint8_t b) { return static_cast<std::uint8_t>((b << 4) | (b >> 4)); }

void swapPairs(std::array<std::uint8_t, kN>& p) {
    std::swap(p[0], p[5]);
    std::swap(p[1], p[4]);
    std::swap(p[2], p[7]);
    std::swap(p[3], p[6]);
}

void xorKey(std::array<std::uint8_t, kN>& p, const HandshakeKeyBlock& key) {
    for (std::size_t i = 1; i <= 6; ++i)
        p[i] ^= key[i];
}

} // namespace

HandshakeKeyBlock installedHandshakeKey() {
    HandshakeKeyBlock block{};
    for (std::size_t i = 0; i < HandshakeKey.size(); ++i)
        block[i + 1] = HandshakeKey[i];
    return block;
}

void ScramblePacket(std::array<std::uint8_t, kN>& p, const HandshakeKeyBlock& key) {
    swapPairs(p);
    xorKey(p, key);
    const std::uint8_t first = p[0];
    for (std::size_t i = 0; i + 1 < kN; ++i)
        p[i] = static_cast<std::uint8_t>((p[i] << 3) | (p[i + 1] >> 5));
    p[kN - 1] = static_cast<std::uint8_t>((p[kN - 1] << 3) | (first >> 5));
    for (std::size_t i = 0; i < kN; ++i)
        p[i] = static_cast<std::uint8_t>(p[i] + nibbleSwapped(PacketKeyTable[i]));
}

void UnscramblePacket(std::array<std::uint8_t, kN>& p, const HandshakeKeyBlock& key) {
    for (std::size_t i = 0; i < kN; ++i)
        p[i] = static_cast<std::uint8_t>(p[i] - nibbleSwapped(PacketKeyTable[i]));
    const std::uint8_t last = p[kN - 1];
    for (std::size_t i = kN - 1; i > 0; --i)
        p[i] = static_cast<std::uint8_t>((p[i] >> 3) | (p[i - 1] << 5));
    p[0] = static_cast<std::uint8_t>((p[0] >> 3) | (last << 5));
    xorKey(p, key);
    swapPairs(p);
}

} // namespace vexo
