// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

#include "config/profile_ini.h"
#include "macro/macro_area.h"

namespace vexo {

struct MacroEncodeResult {
    bool storeFound = false; // false: record.ini does not exist and nothing was encoded
    std::size_t slotsEncoded = 0; // blocks 0..slotsEncoded-1 were rewritten, the others untouched
    std::size_t sectionsIgnored = 0; // listed sections past the tenth, which have no block
    // Events of each slot that did not fit its block and were left out (always the last ones).
    std::array<std::size_t, kMacroSlotCount> droppedEvents{};

    std::size_t totalDropped() const;
};

// Rebuilds the blocks from the store, one per section in file order (see ReadMacroSectionNames):
// loop times (1 for anything outside 1..65535), then an event pair for every press or release line
// with the delay of the line after it (0 when there is none). A section whose ItemCount is 0 gives
// a block of 128 zero bytes. Lines that are neither press nor release are skipped; unknown key
// names encode as 0; delays above 25599 ms, the longest a block can carry, encode as 25599.
// Only the blocks of listed sections (at most ten) are written, never a byte outside them; events
// that do not fit are dropped from the end and counted in droppedEvents. When the store does not
// exist the area is left as it is. Only the first kMaxMacroLines lines of a section are read, as
// the store keeps no more, so the work is bounded by the file's size whatever ItemCount says.
MacroEncodeResult EncodeMacroStore(const ProfileIni& store, MacroArea area);

// Writes loop times (0 becomes 1) into bytes 0 and 1 of the slot's block. False for a slot >= 10.
bool EncodeLoopTimes(MacroArea area, std::size_t slot, std::uint16_t loopTimes);

// Sets the 128 bytes of the slot's block to 0. False for a slot >= 10.
bool ClearMacroBlock(MacroArea area, std::size_t slot);

} // namespace vexo
