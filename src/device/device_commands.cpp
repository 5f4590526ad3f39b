#include "device/device_commands.h"

#include <algorithm>
#include <array>

namespace vexo {

DeviceCommands::DeviceCommands(Transport& transport, DeviceImage& image) : transport_(transport), image_(image) {}

void DeviceCommands::WriteReportRate(std::uint8_t rate) {
    image_.reportRate = rate;
    CommandPacket packet(kWriteReportRate, rate);
    transport_.SendCommand(packet);
}

void DeviceCommands::ReadSensorBlock() {
    CommandPacket packet(kReadSensorBlock);
    transport_.SendCommand(packet);
    std::copy_n(packet.bytes.begin() + 1, image_.sensor.size(), image_.sensor.begin());
}

void DeviceCommands::WriteSensorBlock() {
    CommandPacket packet(kWriteSensorBlock);
    std::copy(image_.sensor.begin(), image_.sensor.end(), packet.bytes.begin() + 1);
    transport_.SendCommand(packet);
}

void DeviceCommands::ReadLightingBlock() {
    CommandPacket packet(kReadLightingBlock);
    transport_.SendCommand(packet);
    std::copy_n(packet.bytes.begin() + 1, image_.lighting.size(), image_.lighting.begin());
}

void DeviceCommands::WriteLightingBlock() {
    CommandPacket packet(kWriteLightingBlock);
    std::copy(image_.lighting.begin(), image_.lighting.end(), packet.bytes.begin() + 1);
    transport_.SendCommand(packet);
}

void DeviceCommands::ReadLedSets() {
    // One packet for both indexes: the mouse sees bytes 2-6 of its previous answer again, as it always has.
    CommandPacket packet;
    for (std::uint8_t index = 0; index < DeviceImage::kLedSetCount; ++index) {
        packet[CommandPacket::kOpcodeByte] = kReadLedSet;
        packet[CommandPacket::kIndexByte] = index;
        transport_.SendCommand(packet);
        const std::uint8_t answered = packet.index();
        if (answered < DeviceImage::kLedSetCount)
            std::copy_n(packet.bytes.begin() + 2, DeviceImage::kLedSetSize, image_.ledSets[answered].begin());
        transport_.pause(kIndexPauseMs);
    }
}

void DeviceCommands::WriteLedSets() {
    for (std::uint8_t index = 0; index < DeviceImage::kLedSetCount; ++index) {
        CommandPacket packet(kWriteLedSet, index);
        std::copy(image_.ledSets[index].begin(), image_.ledSets[index].end(), packet.bytes.begin() + 2);
        transport_.SendCommand(packet);
        transport_.pause(kIndexPauseMs);
    }
}

void DeviceCommands::ReadColourBlocks() {
    std::array<std::uint8_t, Transport::kReadBufferSize> buffer{};
    for (std::uint8_t index = 0; index < DeviceImage::kColourBlockCount; ++index) {
        CommandPacket packet(kReadColourBlock, index);
        transport_.TransferBlock(packet, buffer);
        const std::uint8_t answered = packet.index();
        if (answered < DeviceImage::kColourBlockCount) {
            std::span<std::uint8_t> block = image_.colourBlock(answered);
            const std::size_t n = std::min<std::size_t>({packet.blockLength(), block.size(), buffer.size()});
            std::copy_n(buffer.begin(), n, block.begin());
        }
        transport_.pause(kIndexPauseMs);
    }
}

void DeviceCommands::WriteColourBlocks() {
    for (std::uint8_t index = 0; index < DeviceImage::kColourBlockCount; ++index) {
        const std::span<const std::uint8_t> block = image_.colourBlock(index);
        std::array<std::uint8_t, Transport::kBlockDataSize> buffer{};
        std::copy(block.begin(), block.end(), buffer.begin());
        CommandPacket packet(kWriteColourBlock, index, static_cast<std::uint8_t>(block.size()));
        transport_.TransferBlock(packet, buffer);
        transport_.pause(kIndexPauseMs);
    }
}

void DeviceCommands::WriteDpiBlock() {
    std::array<std::uint8_t, Transport::kBlockDataSize> buffer{};
    std::copy(image_.dpi.begin(), image_.dpi.end(), buffer.begin());
    CommandPacket packet(kWriteDpiBlock, kDpiBlockIndex, DeviceImage::kDpiBlockSize);
    transport_.TransferBlock(packet, buffer);
}

void DeviceCommands::WriteKeyMatrices() {
    for (std::uint8_t matrix = 1; matrix <= DeviceImage::kKeyMatrixCount; ++matrix) {
        CommandPacket packet(kWriteKeyMatrix, matrix, DeviceImage::kKeyMatrixSize);
        transport_.TransferBlock(packet, image_.keyMatrices[matrix - 1]);
        transport_.pause(kIndexPauseMs);
    }
}

void DeviceCommands::WriteMacros() {
    for (std::uint8_t macro = 1; macro <= DeviceImage::kMacroCount; ++macro) {
        CommandPacket packet(kWriteMacro, macro, DeviceImage::kMacroSize);
        transport_.TransferBlock(packet, image_.macros[macro - 1]);
        transport_.pause(kIndexPauseMs);
    }
}

} // namespace vexo
