// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>

#include "device/device_image.h"
#include "device/transport.h"

namespace vexo {

// Every command the program sends to the mouse, each moving data between the mouse and the
// DeviceImage. Multi-index commands go out one index at a time in ascending order with a 2 ms pause
// after each (after its block reports); single commands make no pause of their own.
//
// Each returns true when every exchange of it went through whole. A read keeps in the image only
// answers that came whole and fit the request (the index asked for, the block's own length); what
// did not leaves that part of the image as it was and makes the read return false, so that callers
// never write back to the mouse what it did not say.
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
    bool WriteReportRate(std::uint8_t rate);
    // 0x83 / 0x03: Sensor Type, Rate, Option1, Option2.
    bool ReadSensorBlock();
    bool WriteSensorBlock();
    // 0x8D / 0x0D: Effect, Option1, Option2.
    bool ReadLightingBlock();
    bool WriteLightingBlock();
    // 0x87 / 0x07, indexes 0 and 1. A read answer for another index changes nothing and fails.
    bool ReadLedSets();
    bool WriteLedSets();
    // 0x90 / 0x10, indexes 0, 1, 2. A read answer for another index, or announcing another length
    // than the block's, changes nothing and fails.
    bool ReadColourBlocks();
    bool WriteColourBlocks();
    // 0x10 for one index (0-2), with its pause.
    bool WriteColourBlock(std::uint8_t index);
    // 0x11: the eight DPI bytes.
    bool WriteDpiBlock();
    // 0x12: matrices 1 to 4, 64 bytes each, zero matrices included.
    bool WriteKeyMatrices();
    // 0x12 for one matrix (1-4), with its pause.
    bool WriteKeyMatrix(std::uint8_t matrix);
    // 0x13: macros 1 to 10, 128 bytes each.
    bool WriteMacros();
    // 0x13 for one macro (1-10), with its pause.
    bool WriteMacro(std::uint8_t macro);

    DeviceImage& image() { return image_; }
    Transport& transport() { return transport_; }

private:
    Transport& transport_;
    DeviceImage& image_;
};

} // namespace vexo
