// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "macro/macro_block_writer.h"

#include <algorithm>

namespace vexo {

MacroBlockWriter::MacroBlockWriter(MacroBlock block, std::uint16_t loopTimes) : block_(block) {
    block_[kLoopTimesHighOffset] = static_cast<std::uint8_t>(loopTimes >> 8);
    block_[kLoopTimesLowOffset] = static_cast<std::uint8_t>(loopTimes & 0xFF);
    std::fill(block_.begin() + kFirstPairOffset, block_.end(), std::uint8_t{0});
}

bool MacroBlockWriter::append(bool release, KeyCode code, std::int64_t delayMs) {
    if (refused_)
        return false;
    const std::int64_t delay = std::clamp<std::int64_t>(delayMs, 0, kMaxDelayMs);
    const bool extended = delay > kMaxShortDelayMs;
    const std::size_t need = extended ? 2 * kPairSize : kPairSize;
    if (position_ + need > block_.size()) {
        // Later events are refused too: skipping one in the middle would change what the macro types.
        refused_ = true;
        return false;
    }
    const std::uint8_t releaseBit = release ? kReleaseBit : std::uint8_t{0};
    if (extended) {
        block_[position_] = releaseBit | static_cast<std::uint8_t>((delay % 100) & kDelayBitsMask);
        block_[position_ + 1] = code;
        block_[position_ + 2] = static_cast<std::uint8_t>(delay / 100);
        block_[position_ + 3] = kExtensionMarker;
    } else {
        block_[position_] = releaseBit | static_cast<std::uint8_t>(delay / 10);
        block_[position_ + 1] = code;
    }
    position_ += need;
    return true;
}

} // namespace vexo
