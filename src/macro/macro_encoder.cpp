// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "macro/macro_encoder.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "keys/key_name_table.h"
#include "macro/macro_block_writer.h"
#include "macro/macro_line.h"
#include "macro/macro_section.h"
#include "macro/macro_store.h"

namespace vexo {
namespace {

// Encodes one section into its block and returns how many events did not fit.
std::size_t EncodeSection(const MacroSection& section, MacroBlock block) {
    const std::uint16_t loopTimes = ParseLoopTimes(section.value(kLoopTimesKey));
    const std::int64_t itemCount = ParseLeadingNumber(section.value(kItemCountKey));
    if (itemCount == 0) {
        std::fill(block.begin(), block.end(), std::uint8_t{0});
        return 0;
    }
    MacroBlockWriter writer(block, loopTimes);
    // Lines past the last one present are all empty: neither events nor delays, and an empty line
    // after an event means delay 0, as no line does. A store never keeps more than kMaxMacroLines
    // lines either, so whatever ItemCount and the highest "Item" key claim, at most that many lines
    // are looked at.
    const std::size_t lineCount = itemCount > 0
        ? std::min({static_cast<std::size_t>(itemCount), section.lineBound(), kMaxMacroLines})
        : std::size_t{0};

    std::size_t dropped = 0;
    for (std::size_t j = 0; j < lineCount; ++j) {
        const std::optional<MacroEvent> event = ParseMacroEvent(section.line(j));
        if (!event)
            continue;
        if (writer.overflowed()) {
            ++dropped;
            continue;
        }
        const std::int64_t delay = j + 1 < lineCount ? ParseDelayMilliseconds(section.line(j + 1)) : 0;
        if (!writer.append(event->release, KeyNameToCode(event->keyName), delay))
            ++dropped;
    }
    return dropped;
}

} // namespace

std::size_t MacroEncodeResult::totalDropped() const {
    std::size_t total = 0;
    for (const std::size_t n : droppedEvents)
        total += n;
    return total;
}

MacroEncodeResult EncodeMacroStore(const ProfileIni& store, MacroArea area) {
    MacroEncodeResult result;
    if (!store.exists())
        return result;
    result.storeFound = true;
    const std::vector<std::string> names = ReadMacroSectionNames(store);
    // An eleventh section has no block; encoding it would overwrite what follows the macro area.
    const std::size_t slots = std::min(names.size(), kMacroSlotCount);
    result.sectionsIgnored = names.size() - slots;
    for (std::size_t slot = 0; slot < slots; ++slot) {
        result.droppedEvents[slot] = EncodeSection(MacroSection(store, names[slot]), BlockOfSlot(area, slot));
    }
    result.slotsEncoded = slots;
    return result;
}

bool EncodeLoopTimes(MacroArea area, std::size_t slot, std::uint16_t loopTimes) {
    if (slot >= kMacroSlotCount)
        return false;
    const std::uint16_t value = loopTimes == 0 ? std::uint16_t{1} : loopTimes;
    MacroBlock block = BlockOfSlot(area, slot);
    block[kLoopTimesHighOffset] = static_cast<std::uint8_t>(value >> 8);
    block[kLoopTimesLowOffset] = static_cast<std::uint8_t>(value & 0xFF);
    return true;
}

bool ClearMacroBlock(MacroArea area, std::size_t slot) {
    if (slot >= kMacroSlotCount)
        return false;
    MacroBlock block = BlockOfSlot(area, slot);
    std::fill(block.begin(), block.end(), std::uint8_t{0});
    return true;
}

} // namespace vexo
