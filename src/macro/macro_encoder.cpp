#include "macro/macro_encoder.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "macro/key_name_table.h"
#include "macro/macro_block_writer.h"
#include "macro/macro_line.h"
#include "macro/macro_store.h"

namespace vexo {
namespace {

// Encodes one section into its block and returns how many events did not fit.
std::size_t EncodeSection(const ProfileIni& store, const std::string& name, MacroBlock block) {
    const std::uint16_t loopTimes = ParseLoopTimes(store.readString(name, kLoopTimesKey));
    const std::int64_t itemCount = ParseLeadingNumber(store.readString(name, kItemCountKey));
    if (itemCount == 0) {
        std::fill(block.begin(), block.end(), std::uint8_t{0});
        return 0;
    }
    MacroBlockWriter writer(block, loopTimes);
    const std::size_t lineCount =
        itemCount > 0 ? std::min(static_cast<std::size_t>(itemCount), kMaxMacroLines) : std::size_t{0};

    std::size_t dropped = 0;
    // Each line is read once: the line after an event is both its delay and the next line.
    std::string line = lineCount > 0 ? store.readString(name, ItemKey(0)) : std::string{};
    for (std::size_t j = 0; j < lineCount; ++j) {
        std::string next = j + 1 < lineCount ? store.readString(name, ItemKey(j + 1)) : std::string{};
        if (const std::optional<MacroEvent> event = ParseMacroEvent(line)) {
            if (writer.overflowed()) {
                ++dropped;
            } else {
                const std::int64_t delay = j + 1 < lineCount ? ParseDelayMilliseconds(next) : 0;
                if (!writer.append(event->release, KeyNameToCode(event->keyName), delay)) ++dropped;
            }
        }
        line = std::move(next);
    }
    return dropped;
}

} // namespace

std::size_t MacroEncodeResult::totalDropped() const {
    std::size_t total = 0;
    for (const std::size_t n : droppedEvents) total += n;
    return total;
}

MacroEncodeResult EncodeMacroStore(const ProfileIni& store, MacroArea area) {
    MacroEncodeResult result;
    if (!store.exists()) return result;
    result.storeFound = true;
    const std::vector<std::string> names = ReadMacroSectionNames(store);
    // An eleventh section has no block; encoding it would overwrite what follows the macro area.
    const std::size_t slots = std::min(names.size(), kMacroSlotCount);
    result.sectionsIgnored = names.size() - slots;
    for (std::size_t slot = 0; slot < slots; ++slot) {
        result.droppedEvents[slot] = EncodeSection(store, names[slot], BlockOfSlot(area, slot));
    }
    result.slotsEncoded = slots;
    return result;
}

bool EncodeLoopTimes(MacroArea area, std::size_t slot, std::uint16_t loopTimes) {
    if (slot >= kMacroSlotCount) return false;
    const std::uint16_t value = loopTimes == 0 ? std::uint16_t{1} : loopTimes;
    MacroBlock block = BlockOfSlot(area, slot);
    block[kLoopTimesHighOffset] = static_cast<std::uint8_t>(value >> 8);
    block[kLoopTimesLowOffset] = static_cast<std::uint8_t>(value & 0xFF);
    return true;
}

bool ClearMacroBlock(MacroArea area, std::size_t slot) {
    if (slot >= kMacroSlotCount) return false;
    MacroBlock block = BlockOfSlot(area, slot);
    std::fill(block.begin(), block.end(), std::uint8_t{0});
    return true;
}

} // namespace vexo
