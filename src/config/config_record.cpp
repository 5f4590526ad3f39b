// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "config/config_record.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace vexo {
namespace {

std::size_t checked(std::size_t index, std::size_t first, std::size_t last, const char* what) {
    if (index < first || index > last) {
        throw std::out_of_range(std::string(what) + " " + std::to_string(index) + " is outside " +
                                std::to_string(first) + "-" + std::to_string(last));
    }
    return index;
}

std::size_t tableOffset(KeyMode mode) {
    return mode == KeyMode::A ? ConfigRecord::kModeATable : ConfigRecord::kModeBTable;
}

} // namespace

ConfigRecord::ConfigRecord(std::span<const std::uint8_t, kSize> bytes) {
    std::copy(bytes.begin(), bytes.end(), bytes_.begin());
}

std::span<std::uint8_t, ConfigRecord::kButtons> ConfigRecord::buttons(KeyMode mode, ButtonArray field) {
    const std::size_t offset = tableOffset(mode) + kButtons * static_cast<std::size_t>(field);
    return std::span(bytes_).subspan(offset).first<kButtons>();
}

std::span<const std::uint8_t, ConfigRecord::kButtons> ConfigRecord::buttons(KeyMode mode, ButtonArray field) const {
    const std::size_t offset = tableOffset(mode) + kButtons * static_cast<std::size_t>(field);
    return std::span(bytes_).subspan(offset).first<kButtons>();
}

std::uint8_t ConfigRecord::functionCode(KeyMode mode, std::size_t button) const {
    return buttons(mode, ButtonArray::FunctionCode)[checked(button, 0, kButtons - 1, "button")];
}

void ConfigRecord::setFunctionCode(KeyMode mode, std::size_t button, std::uint8_t code) {
    buttons(mode, ButtonArray::FunctionCode)[checked(button, 0, kButtons - 1, "button")] = code;
}

std::span<std::uint8_t, ConfigRecord::kButtons> ConfigRecord::dpiSubFunctions(KeyMode mode) {
    return std::span(bytes_).subspan(mode == KeyMode::A ? kDpiSubFunctionA : kDpiSubFunctionB).first<kButtons>();
}

std::span<const std::uint8_t, ConfigRecord::kButtons> ConfigRecord::dpiSubFunctions(KeyMode mode) const {
    return std::span(bytes_).subspan(mode == KeyMode::A ? kDpiSubFunctionA : kDpiSubFunctionB).first<kButtons>();
}

std::span<std::uint8_t, ConfigRecord::kMacroAreaSize> ConfigRecord::macroArea() {
    return std::span(bytes_).subspan<kMacroArea, kMacroAreaSize>();
}

std::span<const std::uint8_t, ConfigRecord::kMacroAreaSize> ConfigRecord::macroArea() const {
    return std::span(bytes_).subspan<kMacroArea, kMacroAreaSize>();
}

std::span<std::uint8_t, ConfigRecord::kMacroSize> ConfigRecord::macro(std::size_t number) {
    checked(number, 1, kMacroCount, "macro");
    return macroArea().subspan((number - 1) * kMacroSize).first<kMacroSize>();
}

std::span<const std::uint8_t, ConfigRecord::kMacroSize> ConfigRecord::macro(std::size_t number) const {
    checked(number, 1, kMacroCount, "macro");
    return macroArea().subspan((number - 1) * kMacroSize).first<kMacroSize>();
}

std::span<std::uint8_t, ConfigRecord::kDpiStages> ConfigRecord::dpiValues() {
    return std::span(bytes_).subspan<kDpiValues, kDpiStages>();
}
std::span<const std::uint8_t, ConfigRecord::kDpiStages> ConfigRecord::dpiValues() const {
    return std::span(bytes_).subspan<kDpiValues, kDpiStages>();
}
std::span<std::uint8_t, ConfigRecord::kDpiStages> ConfigRecord::dpiEnabled() {
    return std::span(bytes_).subspan<kDpiEnabled, kDpiStages>();
}
std::span<const std::uint8_t, ConfigRecord::kDpiStages> ConfigRecord::dpiEnabled() const {
    return std::span(bytes_).subspan<kDpiEnabled, kDpiStages>();
}

bool ConfigRecord::stageEnabled(std::size_t stage) const {
    return dpiEnabled()[checked(stage, 0, kDpiStages - 1, "DPI stage")] != 0;
}

Rgb ConfigRecord::dpiColour(std::size_t stage) const {
    return rgbAt(kDpiColours + 3 * checked(stage, 0, kDpiStages - 1, "DPI stage"));
}

void ConfigRecord::setDpiColour(std::size_t stage, Rgb colour) {
    setRgbAt(kDpiColours + 3 * checked(stage, 0, kDpiStages - 1, "DPI stage"), colour);
}

std::span<const std::uint8_t, 3 * ConfigRecord::kDpiStages> ConfigRecord::dpiColourBytes() const {
    return std::span(bytes_).subspan<kDpiColours, 3 * kDpiStages>();
}

std::uint8_t ConfigRecord::lightingParameter1(std::size_t mode) const {
    return bytes_[kLightingParameter1 + checked(mode, 1, 3, "lighting mode") - 1];
}
void ConfigRecord::setLightingParameter1(std::size_t mode, std::uint8_t value) {
    bytes_[kLightingParameter1 + checked(mode, 1, 3, "lighting mode") - 1] = value;
}
std::uint8_t ConfigRecord::lightingParameter2(std::size_t mode) const {
    return bytes_[kLightingParameter2 + checked(mode, 1, 3, "lighting mode") - 1];
}
void ConfigRecord::setLightingParameter2(std::size_t mode, std::uint8_t value) {
    bytes_[kLightingParameter2 + checked(mode, 1, 3, "lighting mode") - 1] = value;
}

DesktopBytes ConfigRecord::desktop() const {
    return {bytes_[kDesktop], bytes_[kDesktop + 1], bytes_[kDesktop + 2], bytes_[kDesktop + 3], bytes_[kDesktop + 4]};
}

void ConfigRecord::setDesktop(const DesktopBytes& values) {
    bytes_[kDesktop] = values.enhancePrecision;
    bytes_[kDesktop + 1] = values.scrollOneScreen;
    bytes_[kDesktop + 2] = values.pointerSpeedRow;
    bytes_[kDesktop + 3] = values.wheelLines;
    bytes_[kDesktop + 4] = values.doubleClickRow;
}

Rgb ConfigRecord::loopColour(std::size_t index) const {
    return rgbAt(kLoopColours + 3 * checked(index, 0, kLoopColourCount - 1, "loop colour"));
}

void ConfigRecord::setLoopColour(std::size_t index, Rgb colour) {
    setRgbAt(kLoopColours + 3 * checked(index, 0, kLoopColourCount - 1, "loop colour"), colour);
}

std::uint16_t ConfigRecord::dpiMarkBits() const {
    return static_cast<std::uint16_t>(bytes_[kDpiMarkBits] | (bytes_[kDpiMarkBits + 1] << 8));
}

void ConfigRecord::setDpiMarkBits(std::uint16_t bits) {
    bytes_[kDpiMarkBits] = static_cast<std::uint8_t>(bits & 0xFF);
    bytes_[kDpiMarkBits + 1] = static_cast<std::uint8_t>(bits >> 8);
}

bool ConfigRecord::dpiMark(std::size_t group, std::size_t mark) const {
    const std::size_t bit = 4 * checked(group, 0, 3, "DPI mark group") + checked(mark, 0, 3, "DPI mark");
    return (dpiMarkBits() >> bit) & 1;
}

Rgb ConfigRecord::rgbAt(std::size_t offset) const { return {bytes_[offset], bytes_[offset + 1], bytes_[offset + 2]}; }

void ConfigRecord::setRgbAt(std::size_t offset, Rgb colour) {
    bytes_[offset] = colour.red;
    bytes_[offset + 1] = colour.green;
    bytes_[offset + 2] = colour.blue;
}

} // namespace vexo
