// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "device/command_packet.h"

namespace vexo {

CommandPacket::CommandPacket(std::uint8_t opcode, std::uint8_t index, std::uint8_t length) {
    bytes[kOpcodeByte] = opcode;
    bytes[kIndexByte] = index;
    bytes[kLengthByte] = length;
}

std::uint8_t CommandPacket::computeChecksum() const {
    unsigned sum = 0;
    for (std::size_t i = 0; i < kChecksumByte; ++i)
        sum += bytes[i];
    return static_cast<std::uint8_t>(0xFF - (sum & 0xFF));
}

} // namespace vexo
