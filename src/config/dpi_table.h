// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "config/config_record.h"

namespace vexo {

// One row of a sensor type's DPI list: the value shown and the code the mouse takes.
struct DpiRow {
    std::uint16_t value;
    std::uint8_t code;
};

inline constexpr std::uint8_t kSensorTypes = 4;
inline constexpr std::uint8_t kDpiStageOff = 0x80; // bit 7 of a DPI code: the stage is switched off

// The DPI list of sensor type 0-3; empty for any other type.
std::span<const DpiRow> DpiList(std::uint8_t sensorType);

// The value of a list row, or nothing when the type has no list or the row does not exist.
std::optional<unsigned> DpiValue(std::uint8_t sensorType, std::size_t row);

// The DPI byte of a stage (0-7): the code of its row (0 when there is no such row), with bit 7 set
// when the stage is off and clear when it is on.
std::uint8_t DpiCode(const ConfigRecord& record, std::uint8_t sensorType, std::size_t stage);

// The 8-byte DPI block: the DPI byte of each stage in order.
std::array<std::uint8_t, ConfigRecord::kDpiStages> DpiImage(const ConfigRecord& record, std::uint8_t sensorType);

} // namespace vexo
