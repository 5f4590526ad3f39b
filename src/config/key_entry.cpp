// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "config/key_entry.h"

#include <algorithm>

namespace vexo {
namespace {

constexpr std::uint8_t kMouseButton = 0x01;
constexpr std::uint8_t kConsumer = 0x03;
constexpr std::uint8_t kDpiFunction = 0x07;
constexpr std::uint8_t kSpecial = 0x08;
constexpr std::uint8_t kMacro = 0x09;
constexpr std::uint8_t kFireKey = 0x0A;

constexpr KeyEntryBytes kRgbOnOffEntry{kSpecial, 0x00, 0x03, 0x00};
constexpr std::size_t kMatrixEntries = 16;
constexpr std::size_t kMouseButtons = 8; // buttons beyond these never reach the mouse

constexpr std::uint8_t kUsageV = 0x19;

} // namespace

KeyEntryBytes KeyEntry(const ConfigRecord& record, KeyMode mode, std::size_t button) {
    const auto field = [&](ButtonArray array) { return record.buttons(mode, array)[button]; };
    namespace fc = function_code;
    switch (record.functionCode(mode, button)) {
    case fc::LeftClick: return {kMouseButton, 0x00, 0xF0, 0x00};
    case fc::RightClick: return {kMouseButton, 0x00, 0xF1, 0x00};
    case fc::MidClick: return {kMouseButton, 0x00, 0xF2, 0x00};
    case fc::Forward: return {kMouseButton, 0x00, 0xF4, 0x00};
    case fc::Backward: return {kMouseButton, 0x00, 0xF3, 0x00};
    case fc::TripleClick: return {kFireKey, 0xF0, 0x20, 0x03}; // left button, speed 32, three times
    case fc::DpiSwitch: {
        const std::uint8_t sub = record.dpiSubFunctions(mode)[button];
        return {kDpiFunction, 0x00, sub, static_cast<std::uint8_t>(sub == dpi_function::Shift ? 0x01 : 0x00)};
    }
    case fc::RgbOnOff: return kRgbOnOffEntry;
    case fc::Windows: return {kConsumer, 0x00, field(ButtonArray::WinFuncCode), field(ButtonArray::WinFuncPage)};
    case fc::Multimedia: return {kConsumer, 0x00, field(ButtonArray::MediaCode), 0x00};
    case fc::FireKey:
        return {kFireKey, field(ButtonArray::FireKeyCode), field(ButtonArray::FireSpeed),
                field(ButtonArray::FireTimes)};
    case fc::SingleKey: return {0x00, 0x00, field(ButtonArray::SingleKeyCode), 0x00};
    case fc::ComboKey:
        return {0x00, field(ButtonArray::ComboModifiers), field(ButtonArray::ComboKey1), field(ButtonArray::ComboKey2)};
    case fc::MacroKey:
        return {kMacro, field(ButtonArray::MacroRepeatMode),
                static_cast<std::uint8_t>(field(ButtonArray::MacroSlot) + 1), 0x00};
    case fc::Shift: return {kSpecial, 0x00, 0x02, 0x00};
    default: return {0x00, 0x00, 0x00, 0x00}; // Key Off and unknown codes
    }
}

std::array<KeyMatrix, kKeyMatrices> KeyMatrixImage(const ConfigRecord& record) {
    std::array<KeyMatrix, kKeyMatrices> matrices{};
    const auto put = [](KeyMatrix& matrix, std::size_t position, const KeyEntryBytes& entry) {
        std::copy(entry.begin(), entry.end(), matrix.begin() + static_cast<std::ptrdiff_t>(4 * position));
    };
    for (std::size_t b = 0; b < kMouseButtons; ++b) {
        // The mouse numbers forward and backward the other way round.
        const std::size_t position = b == 3 ? 4 : b == 4 ? 3 : b;
        put(matrices[0], position, KeyEntry(record, KeyMode::A, b));
        put(matrices[2], position, KeyEntry(record, KeyMode::B, b));
    }
    for (KeyMatrix* matrix : {&matrices[0], &matrices[2]}) {
        put(*matrix, 8, kRgbOnOffEntry);
        put(*matrix, 14, {kMouseButton, 0x00, 0xF7, 0x00});
        put(*matrix, kMatrixEntries - 1, {kMouseButton, 0x00, 0xF8, 0x00});
    }
    return matrices;
}

void RestoreKeyDefaults(ConfigRecord& record) {
    namespace fc = function_code;
    constexpr std::array<std::uint8_t, 9> kFunctions{fc::LeftClick, fc::RightClick, fc::MidClick,
                                                     fc::Forward,   fc::Backward,   fc::DpiSwitch,
                                                     fc::DpiSwitch, fc::SingleKey,  fc::KeyOff};
    for (KeyMode mode : {KeyMode::A, KeyMode::B}) {
        for (std::size_t b = 0; b < kFunctions.size(); ++b) {
            record.setFunctionCode(mode, b, kFunctions[b]);
        }
        record.dpiSubFunctions(mode)[5] = dpi_function::Up;
        record.dpiSubFunctions(mode)[6] = dpi_function::Down;
        record.buttons(mode, ButtonArray::SingleKeyCode)[7] = kUsageV;
    }
}

} // namespace vexo
