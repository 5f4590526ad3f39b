// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "config/dpi_table.h"

namespace vexo {
namespace {

// Below each type's threshold the code is value / base step, from it on 0x40 + value / double step.
constexpr std::array<DpiRow, 12> kType0{{{250, 0x01},
                                         {500, 0x02},
                                         {750, 0x03},
                                         {1000, 0x04},
                                         {1250, 0x05},
                                         {1500, 0x06},
                                         {1750, 0x07},
                                         {2000, 0x08},
                                         {2500, 0x45},
                                         {3000, 0x46},
                                         {3500, 0x47},
                                         {4000, 0x48}}};
constexpr std::array<DpiRow, 20> kType1{{{250, 0x01},  {500, 0x02},  {750, 0x03},  {1000, 0x04}, {1250, 0x05},
                                         {1500, 0x06}, {1750, 0x07}, {2000, 0x08}, {2250, 0x09}, {2500, 0x0A},
                                         {2750, 0x0B}, {3000, 0x0C}, {3250, 0x0D}, {3500, 0x0E}, {4000, 0x48},
                                         {4500, 0x49}, {5000, 0x4A}, {5500, 0x4B}, {6000, 0x4C}, {7000, 0x4E}}};
constexpr std::array<DpiRow, 17> kType2{{{125, 0x01},
                                         {250, 0x02},
                                         {375, 0x03},
                                         {500, 0x04},
                                         {625, 0x05},
                                         {750, 0x06},
                                         {875, 0x07},
                                         {1000, 0x08},
                                         {1125, 0x09},
                                         {1250, 0x0A},
                                         {1375, 0x0B},
                                         {1500, 0x46},
                                         {1750, 0x47},
                                         {2000, 0x48},
                                         {2250, 0x49},
                                         {2500, 0x4A},
                                         {2750, 0x4B}}};
constexpr std::array<DpiRow, 20> kType3{{{200, 0x01},  {500, 0x04},  {800, 0x07},  {1000, 0x09}, {1200, 0x0B},
                                         {1600, 0x0F}, {1800, 0x11}, {2000, 0x13}, {2400, 0x17}, {3000, 0x1D},
                                         {3200, 0x1F}, {3500, 0x22}, {4000, 0x27}, {4500, 0x2C}, {5000, 0x31},
                                         {6000, 0x5D}, {7000, 0x62}, {8000, 0x67}, {9000, 0x6C}, {10000, 0x71}}};

} // namespace

std::span<const DpiRow> DpiList(std::uint8_t sensorType) {
    switch (sensorType) {
    case 0: return kType0;
    case 1: return kType1;
    case 2: return kType2;
    case 3: return kType3;
    default: return {};
    }
}

std::optional<unsigned> DpiValue(std::uint8_t sensorType, std::size_t row) {
    const auto list = DpiList(sensorType);
    if (row >= list.size()) {
        return std::nullopt;
    }
    return list[row].value;
}

std::uint8_t DpiCode(const ConfigRecord& record, std::uint8_t sensorType, std::size_t stage) {
    const bool on = record.stageEnabled(stage); // also rejects a stage outside 0-7
    const auto list = DpiList(sensorType);
    const std::size_t row = record.dpiValues()[stage];
    // A row beyond the list (a record edited elsewhere) sends code 0 rather than anything undefined.
    const std::uint8_t code = row < list.size() ? list[row].code : 0;
    return on ? static_cast<std::uint8_t>(code & 0x7F) : static_cast<std::uint8_t>(code | kDpiStageOff);
}

std::array<std::uint8_t, ConfigRecord::kDpiStages> DpiImage(const ConfigRecord& record, std::uint8_t sensorType) {
    std::array<std::uint8_t, ConfigRecord::kDpiStages> image{};
    for (std::size_t stage = 0; stage < image.size(); ++stage) {
        image[stage] = DpiCode(record, sensorType, stage);
    }
    return image;
}

} // namespace vexo
