// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "device/device_commands.h"

#include <algorithm>
#include <array>

namespace vexo {

DeviceCommands::DeviceCommands(Transport& transport, DeviceImage& image) : transport_(transport), image_(image) {}

bool DeviceCommands::WriteReportRate(std::uint8_t rate) {
    image_.reportRate = rate;
    CommandPacket packet(kWriteReportRate, rate);
    return transport_.SendCommand(packet);
}

bool DeviceCommands::ReadSensorBlock() {
    CommandPacket packet(kReadSensorBlock);
    if (!transport_.SendCommand(packet))
        return false;
    std::copy_n(packet.bytes.begin() + 1, image_.sensor.size(), image_.sensor.begin());
    return true;
}

bool DeviceCommands::WriteSensorBlock() {
    CommandPacket packet(kWriteSensorBlock);
    std::copy(image_.sensor.begin(), image_.sensor.end(), packet.bytes.begin() + 1);
    return transport_.SendCommand(packet);
}

bool DeviceCommands::ReadLightingBlock() {
    CommandPacket packet(kReadLightingBlock);
    if (!transport_.SendCommand(packet))
        return false;
    std::copy_n(packet.bytes.begin() + 1, image_.lighting.size(), image_.lighting.begin());
    return true;
}

bool DeviceCommands::WriteLightingBlock() {
    CommandPacket packet(kWriteLightingBlock);
    std::copy(image_.lighting.begin(), image_.lighting.end(), packet.bytes.begin() + 1);
    return transport_.SendCommand(packet);
}

bool DeviceCommands::ReadLedSets() {
    // One packet for both indexes: the mouse sees bytes 2-6 of its previous answer again, as it always has.
    CommandPacket packet;
    bool all = true;
    for (std::uint8_t index = 0; index < DeviceImage::kLedSetCount; ++index) {
        packet[CommandPacket::kOpcodeByte] = kReadLedSet;
        packet[CommandPacket::kIndexByte] = index;
        // An answer for another set would leave this one unread, and a write-back would then send
        // whatever the image held before.
        if (transport_.SendCommand(packet) && packet.index() == index)
            std::copy_n(packet.bytes.begin() + 2, DeviceImage::kLedSetSize, image_.ledSets[index].begin());
        else
            all = false;
        transport_.pause(kIndexPauseMs);
    }
    return all;
}

bool DeviceCommands::WriteLedSets() {
    bool all = true;
    for (std::uint8_t index = 0; index < DeviceImage::kLedSetCount; ++index) {
        CommandPacket packet(kWriteLedSet, index);
        std::copy(image_.ledSets[index].begin(), image_.ledSets[index].end(), packet.bytes.begin() + 2);
        all = transport_.SendCommand(packet) && all;
        transport_.pause(kIndexPauseMs);
    }
    return all;
}

bool DeviceCommands::ReadColourBlocks() {
    std::array<std::uint8_t, Transport::kReadBufferSize> buffer{};
    bool all = true;
    for (std::uint8_t index = 0; index < DeviceImage::kColourBlockCount; ++index) {
        CommandPacket packet(kReadColourBlock, index);
        const bool whole = transport_.TransferBlock(packet, buffer);
        std::span<std::uint8_t> block = image_.colourBlock(index);
        // Another index, or another length than the block's, is not the block asked for: a shorter
        // one would leave the rest of it as zeros that the next write-back sends to the mouse.
        if (whole && packet.index() == index && packet.blockLength() == block.size())
            std::copy_n(buffer.begin(), block.size(), block.begin());
        else
            all = false;
        transport_.pause(kIndexPauseMs);
    }
    return all;
}

bool DeviceCommands::WriteColourBlocks() {
    bool all = true;
    for (std::uint8_t index = 0; index < DeviceImage::kColourBlockCount; ++index)
        all = WriteColourBlock(index) && all;
    return all;
}

bool DeviceCommands::WriteColourBlock(std::uint8_t index) {
    const std::span<const std::uint8_t> block = image_.colourBlock(index);
    std::array<std::uint8_t, Transport::kBlockDataSize> buffer{};
    std::copy(block.begin(), block.end(), buffer.begin());
    CommandPacket packet(kWriteColourBlock, index, static_cast<std::uint8_t>(block.size()));
    const bool whole = transport_.TransferBlock(packet, buffer);
    transport_.pause(kIndexPauseMs);
    return whole;
}

bool DeviceCommands::WriteDpiBlock() {
    std::array<std::uint8_t, Transport::kBlockDataSize> buffer{};
    std::copy(image_.dpi.begin(), image_.dpi.end(), buffer.begin());
    CommandPacket packet(kWriteDpiBlock, kDpiBlockIndex, DeviceImage::kDpiBlockSize);
    return transport_.TransferBlock(packet, buffer);
}

bool DeviceCommands::WriteKeyMatrices() {
    bool all = true;
    for (std::uint8_t matrix = 1; matrix <= DeviceImage::kKeyMatrixCount; ++matrix)
        all = WriteKeyMatrix(matrix) && all;
    return all;
}

bool DeviceCommands::WriteKeyMatrix(std::uint8_t matrix) {
    CommandPacket packet(kWriteKeyMatrix, matrix, DeviceImage::kKeyMatrixSize);
    const bool whole = transport_.TransferBlock(packet, image_.keyMatrices.at(matrix - 1));
    transport_.pause(kIndexPauseMs);
    return whole;
}

bool DeviceCommands::WriteMacros() {
    bool all = true;
    for (std::uint8_t macro = 1; macro <= DeviceImage::kMacroCount; ++macro)
        all = WriteMacro(macro) && all;
    return all;
}

bool DeviceCommands::WriteMacro(std::uint8_t macro) {
    CommandPacket packet(kWriteMacro, macro, DeviceImage::kMacroSize);
    const bool whole = transport_.TransferBlock(packet, image_.macros.at(macro - 1));
    transport_.pause(kIndexPauseMs);
    return whole;
}

} // namespace vexo
