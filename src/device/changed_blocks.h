// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <bitset>
#include <cstdint>

#include "config/config_record.h"
#include "device/device_image.h"

namespace vexo {

// Which of the mouse's blocks differ between two records, as the Apply sequence builds them: the
// blocks a change of the record must send for the mouse to end as a full Apply of the new record
// leaves it, given that it holds the old one. Blocks the record does not touch (the sensor block,
// colour blocks 0 and 2, LED set 1) never count.
struct ChangedBlocks {
    bool reportRate = false;
    // The lighting block and LED set 0, from the lighting mode and that mode's parameters.
    bool lighting = false;
    // Colour block 1: the DPI stage colours.
    bool dpiColours = false;
    // The DPI block, built for one sensor type.
    bool dpi = false;
    std::bitset<DeviceImage::kMacroCount> macros; // bit n: macro n + 1
    std::bitset<DeviceImage::kKeyMatrixCount> keyMatrices; // bit n: matrix n + 1

    static ChangedBlocks Between(const ConfigRecord& before, const ConfigRecord& after, std::uint8_t sensorType);
    // Every block the record feeds.
    static ChangedBlocks All();

    bool any() const { return reportRate || lighting || dpiColours || dpi || macros.any() || keyMatrices.any(); }
    bool operator==(const ChangedBlocks&) const = default;
};

} // namespace vexo
