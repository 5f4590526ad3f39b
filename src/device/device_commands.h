#pragma once
#include <cstdint>

#include "device/device_image.h"
#include "device/transport.h"

namespace vexo {

// Every command the program sends to the mouse, each moving data between the mouse and the
// DeviceImage. Multi-index commands go out one index at a time in ascending order with a 2 ms pause
// after each (after its block reports); single commands make no pause of their own. No command
// reports failure: a mouse that does not answer leaves zeros in the image.
class DeviceCommands {
public:
    static constexpr std::uint8_t kWriteReportRate = 0x01;
    static constexpr std::uint8_t kWriteSensorBlock = 0x03;
    static constexpr std::uint8_t kWriteLedSet = 0x07;
    static constexpr std::uint8_t kWriteLightingBlock = 0x0D;
    static constexpr std::uint8_t kWriteColourBlock = 0x10;
    static constexpr std::uint8_t kWriteDpiBlock = 0x11;
    static constexpr std::uint8_t kWriteKeyMatrix = 0x12;
    static constexpr std::uint8_t kWriteMacro = 0x13;
    static constexpr std::uint8_t kReadSensorBlock = kWriteSensorBlock | CommandPacket::kReadBit;
    static constexpr std::uint8_t kReadLedSet = kWriteLedSet | CommandPacket::kReadBit;
    static constexpr std::uint8_t kReadLightingBlock = kWriteLightingBlock | CommandPacket::kReadBit;
    static constexpr std::uint8_t kReadColourBlock = kWriteColourBlock | CommandPacket::kReadBit;
    // Packet byte 1 of the DPI block write.
    static constexpr std::uint8_t kDpiBlockIndex = 0x80;
    static constexpr unsigned kIndexPauseMs = 2;

    DeviceCommands(Transport& transport, DeviceImage& image);

    // 0x01: the report-rate code (1, 2, 4 or 8); also kept in the image.
    void WriteReportRate(std::uint8_t rate);
    // 0x83 / 0x03: Sensor Type, Rate, Option1, Option2.
    void ReadSensorBlock();
    void WriteSensorBlock();
    // 0x8D / 0x0D: Effect, Option1, Option2.
    void ReadLightingBlock();
    void WriteLightingBlock();
    // 0x87 / 0x07, indexes 0 and 1. A read answer for another index changes nothing.
    void ReadLedSets();
    void WriteLedSets();
    // 0x90 / 0x10, indexes 0, 1, 2. A read copies at most the block's size of what the mouse announced.
    void ReadColourBlocks();
    void WriteColourBlocks();
    // 0x11: the eight DPI bytes.
    void WriteDpiBlock();
    // 0x12: matrices 1 to 4, 64 bytes each, zero matrices included.
    void WriteKeyMatrices();
    // 0x13: macros 1 to 10, 128 bytes each.
    void WriteMacros();

    DeviceImage& image() { return image_; }
    Transport& transport() { return transport_; }

private:
    Transport& transport_;
    DeviceImage& image_;
};

} // namespace vexo
