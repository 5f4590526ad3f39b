// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

namespace vexo {

// One 8-byte command as it travels in a feature report: opcode (bit 7 set for reads), parameters,
// and a checksum that makes all eight bytes add up to 0xFF.
struct CommandPacket {
    static constexpr std::size_t kSize = 8;
    static constexpr std::size_t kOpcodeByte = 0;
    static constexpr std::size_t kIndexByte = 1;
    // In block commands: the length of the data block in bytes.
    static constexpr std::size_t kLengthByte = 2;
    static constexpr std::size_t kChecksumByte = 7;
    static constexpr std::uint8_t kReadBit = 0x80;

    std::array<std::uint8_t, kSize> bytes{};

    CommandPacket() = default;
    // A packet with the given opcode, index and length; the other bytes are zero.
    explicit CommandPacket(std::uint8_t opcode, std::uint8_t index = 0, std::uint8_t length = 0);

    std::uint8_t& operator[](std::size_t i) { return bytes[i]; }
    std::uint8_t operator[](std::size_t i) const { return bytes[i]; }

    bool isRead() const { return (bytes[kOpcodeByte] & kReadBit) != 0; }
    std::uint8_t opcode() const { return bytes[kOpcodeByte]; }
    std::uint8_t index() const { return bytes[kIndexByte]; }
    std::uint8_t blockLength() const { return bytes[kLengthByte]; }

    // 0xFF minus the sum of bytes 0-6, modulo 256.
    std::uint8_t computeChecksum() const;
    // Writes the checksum into byte 7, whatever it held.
    void fillChecksum() { bytes[kChecksumByte] = computeChecksum(); }
    bool checksumValid() const { return bytes[kChecksumByte] == computeChecksum(); }

    bool operator==(const CommandPacket&) const = default;
};
static_assert(sizeof(CommandPacket) == CommandPacket::kSize);

} // namespace vexo
