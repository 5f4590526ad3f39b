// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace vexo {

// The program's copy of the mouse's data blocks, which the command set reads and writes. One per
// process, zeroed at start.
struct DeviceImage {
    static constexpr std::size_t kSensorBlockSize = 4;
    static constexpr std::size_t kSensorTypeByte = 0;
    static constexpr std::size_t kSensorRateByte = 1;
    static constexpr std::size_t kSensorOption1Byte = 2;
    static constexpr std::size_t kSensorOption2Byte = 3;
    // The bit of Option2 the program sets at every connection.
    static constexpr std::uint8_t kOption2ConnectBit = 0x40;

    static constexpr std::size_t kLightingBlockSize = 3;
    static constexpr std::size_t kLightingEffectByte = 0;
    static constexpr std::size_t kLightingOption1Byte = 1;
    static constexpr std::size_t kLightingOption2Byte = 2;

    static constexpr std::size_t kLedSetCount = 2;
    static constexpr std::size_t kLedSetSize = 3;

    static constexpr std::size_t kColourBlockCount = 3;
    static constexpr std::array<std::size_t, kColourBlockCount> kColourBlockSizes{24, 24, 4};
    // Colour block 1 holds the eight DPI stage colours, red, green and blue each.
    static constexpr std::size_t kStageColourBlock = 1;

    static constexpr std::size_t kDpiBlockSize = 8;
    static constexpr std::size_t kKeyMatrixCount = 4;
    static constexpr std::size_t kKeyMatrixSize = 64; // 16 key entries of 4 bytes
    static constexpr std::size_t kMacroCount = 10;
    static constexpr std::size_t kMacroSize = 128;

    std::uint8_t reportRate = 0;
    std::array<std::uint8_t, kSensorBlockSize> sensor{};
    std::array<std::uint8_t, kLightingBlockSize> lighting{};
    std::array<std::array<std::uint8_t, kLedSetSize>, kLedSetCount> ledSets{};
    std::array<std::uint8_t, kColourBlockSizes[0]> colourBlock0{};
    std::array<std::uint8_t, kColourBlockSizes[1]> colourBlock1{};
    std::array<std::uint8_t, kColourBlockSizes[2]> colourBlock2{};
    std::array<std::uint8_t, kDpiBlockSize> dpi{};
    std::array<std::array<std::uint8_t, kKeyMatrixSize>, kKeyMatrixCount> keyMatrices{};
    std::array<std::array<std::uint8_t, kMacroSize>, kMacroCount> macros{};

    // Colour block 0, 1 or 2 with its own size.
    std::span<std::uint8_t> colourBlock(std::size_t index);
    std::span<const std::uint8_t> colourBlock(std::size_t index) const;

    bool operator==(const DeviceImage&) const = default;
};

} // namespace vexo
