// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "device/changed_blocks.h"

#include <algorithm>
#include <tuple>

#include "config/dpi_table.h"
#include "config/key_entry.h"

namespace vexo {
namespace {

// What of the record the lighting adjustment reads: the mode, and the parameters of modes 1-3
// (the second one only for Neon, the only mode that sends it). Any other mode writes back what
// the mouse has, so its parameters are nothing the mouse sees.
std::tuple<std::uint8_t, int, int> LightingInputs(const ConfigRecord& record) {
    const std::uint8_t mode = record.lightingMode();
    if (mode < lighting_mode::Standard || mode > lighting_mode::Neon)
        return {mode, -1, -1};
    return {mode, record.lightingParameter1(mode), mode == lighting_mode::Neon ? record.lightingParameter2(mode) : -1};
}

} // namespace

ChangedBlocks ChangedBlocks::Between(const ConfigRecord& before, const ConfigRecord& after, std::uint8_t sensorType) {
    ChangedBlocks changed;
    changed.reportRate = before.reportRate() != after.reportRate();
    changed.lighting = LightingInputs(before) != LightingInputs(after);
    changed.dpiColours = !std::ranges::equal(before.dpiColourBytes(), after.dpiColourBytes());
    changed.dpi = DpiImage(before, sensorType) != DpiImage(after, sensorType);
    for (std::size_t m = 0; m < DeviceImage::kMacroCount; ++m)
        changed.macros[m] = !std::ranges::equal(before.macro(m + 1), after.macro(m + 1));
    const auto matricesBefore = KeyMatrixImage(before);
    const auto matricesAfter = KeyMatrixImage(after);
    for (std::size_t m = 0; m < DeviceImage::kKeyMatrixCount; ++m)
        changed.keyMatrices[m] = matricesBefore[m] != matricesAfter[m];
    return changed;
}

ChangedBlocks ChangedBlocks::All() {
    ChangedBlocks all;
    all.reportRate = all.lighting = all.dpiColours = all.dpi = true;
    all.macros.set();
    all.keyMatrices.set();
    return all;
}

} // namespace vexo
