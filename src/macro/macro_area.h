// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

namespace vexo {

// The macro area of the configuration record: ten blocks of 128 bytes, slot 0 first.
//   byte 0, 1     loop times, big-endian
//   bytes 2..127  event pairs in line order, then zero bytes (a 00 00 pair ends a block that is
//                 not full)
// Event pair, delay D <= 1270 ms: [release bit 7 | D / 10] [key code].
// Longer delays take a second, extension pair: [release bit 7 | (D mod 100)] [key code]
// [D / 100] [0x03].
inline constexpr std::size_t kMacroSlotCount = 10;
inline constexpr std::size_t kMacroBlockSize = 128;
inline constexpr std::size_t kMacroAreaSize = kMacroSlotCount * kMacroBlockSize;
static_assert(kMacroAreaSize == 1280);

inline constexpr std::size_t kLoopTimesHighOffset = 0;
inline constexpr std::size_t kLoopTimesLowOffset = 1;
inline constexpr std::size_t kFirstPairOffset = 2;
inline constexpr std::size_t kPairSize = 2;
inline constexpr std::size_t kMaxPairsPerBlock = (kMacroBlockSize - kFirstPairOffset) / kPairSize;
static_assert(kMaxPairsPerBlock == 63);

inline constexpr std::uint8_t kReleaseBit = 0x80;
inline constexpr std::uint8_t kDelayBitsMask = 0x7F;
inline constexpr std::uint8_t kExtensionMarker = 0x03;
inline constexpr std::int64_t kMaxShortDelayMs = 1270;
// The longest delay an extension pair can carry: 255 hundreds plus 99 ms.
inline constexpr std::int64_t kMaxDelayMs = 255 * 100 + 99;

using MacroArea = std::span<std::uint8_t, kMacroAreaSize>;
using MacroBlock = std::span<std::uint8_t, kMacroBlockSize>;

// The block of a slot; slot must be below kMacroSlotCount.
inline MacroBlock BlockOfSlot(MacroArea area, std::size_t slot) {
    return area.subspan(slot * kMacroBlockSize).first<kMacroBlockSize>();
}

} // namespace vexo
