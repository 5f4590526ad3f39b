// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>

#include "keys/key_code.h"
#include "macro/macro_area.h"

namespace vexo {

// Fills one macro block. Construction writes the loop times and clears bytes 2..127; append()
// adds one event at a time. Nothing is ever written outside the block: an event that does not fit
// whole (including its extension pair) is refused, and so is every event after it, so a macro
// that is too long loses only its tail.
class MacroBlockWriter {
public:
    MacroBlockWriter(MacroBlock block, std::uint16_t loopTimes);

    // Appends a press or release of code followed by delayMs. Negative delays count as 0 and
    // delays above kMaxDelayMs as kMaxDelayMs (the block cannot hold more). Returns false, and
    // writes nothing, when the event does not fit or an earlier one did not.
    bool append(bool release, KeyCode code, std::int64_t delayMs);

    std::size_t pairsWritten() const { return (position_ - kFirstPairOffset) / kPairSize; }
    // True once an event was refused for want of room.
    bool overflowed() const { return refused_; }

private:
    MacroBlock block_;
    std::size_t position_ = kFirstPairOffset;
    bool refused_ = false;
};

} // namespace vexo
