// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include "config/dpi_table.h"
#include "config/key_entry.h"

using vexo::ButtonArray;
using vexo::ConfigRecord;
using vexo::KeyEntryBytes;
using vexo::KeyMode;

namespace {

KeyEntryBytes entryFor(std::uint8_t code, const std::function<void(ConfigRecord&)>& fill = {}) {
    ConfigRecord r;
    r.setFunctionCode(KeyMode::B, 2, code);
    if (fill) {
        fill(r);
    }
    return vexo::KeyEntry(r, KeyMode::B, 2);
}

TEST(KeyEntry, EveryFunctionCodeGivesItsEntry) {
    EXPECT_EQ(entryFor(0), (KeyEntryBytes{0x01, 0x00, 0xF0, 0x00}));
    EXPECT_EQ(entryFor(1), (KeyEntryBytes{0x01, 0x00, 0xF1, 0x00}));
    EXPECT_EQ(entryFor(2), (KeyEntryBytes{0x01, 0x00, 0xF2, 0x00}));
    EXPECT_EQ(entryFor(3), (KeyEntryBytes{0x01, 0x00, 0xF4, 0x00}));
    EXPECT_EQ(entryFor(4), (KeyEntryBytes{0x01, 0x00, 0xF3, 0x00}));
    EXPECT_EQ(entryFor(5), (KeyEntryBytes{0x0A, 0xF0, 0x20, 0x03}));
    for (std::uint8_t sub = 1; sub <= 4; ++sub) {
        const auto e = entryFor(6, [&](ConfigRecord& r) { r.dpiSubFunctions(KeyMode::B)[2] = sub; });
        EXPECT_EQ(e, (KeyEntryBytes{0x07, 0x00, sub, static_cast<std::uint8_t>(sub == 4 ? 1 : 0)})) << int(sub);
    }
    EXPECT_EQ(entryFor(7), (KeyEntryBytes{0x08, 0x00, 0x03, 0x00}));
    EXPECT_EQ(entryFor(8,
                       [](ConfigRecord& r) {
                           r.buttons(KeyMode::B, ButtonArray::WinFuncCode)[2] = 0x94;
                           r.buttons(KeyMode::B, ButtonArray::WinFuncPage)[2] = 0x01;
                       }),
              (KeyEntryBytes{0x03, 0x00, 0x94, 0x01}));
    EXPECT_EQ(entryFor(9, [](ConfigRecord& r) { r.buttons(KeyMode::B, ButtonArray::MediaCode)[2] = 0xE9; }),
              (KeyEntryBytes{0x03, 0x00, 0xE9, 0x00}));
    EXPECT_EQ(entryFor(10,
                       [](ConfigRecord& r) {
                           r.buttons(KeyMode::B, ButtonArray::FireKeyCode)[2] = 0x04;
                           r.buttons(KeyMode::B, ButtonArray::FireSpeed)[2] = 5;
                           r.buttons(KeyMode::B, ButtonArray::FireTimes)[2] = 0;
                       }),
              (KeyEntryBytes{0x0A, 0x04, 0x05, 0x00}));
    EXPECT_EQ(entryFor(11, [](ConfigRecord& r) { r.buttons(KeyMode::B, ButtonArray::SingleKeyCode)[2] = 0x19; }),
              (KeyEntryBytes{0x00, 0x00, 0x19, 0x00}));
    EXPECT_EQ(entryFor(12,
                       [](ConfigRecord& r) {
                           r.buttons(KeyMode::B, ButtonArray::ComboModifiers)[2] = 0x05;
                           r.buttons(KeyMode::B, ButtonArray::ComboKey1)[2] = 0x06;
                           r.buttons(KeyMode::B, ButtonArray::ComboKey2)[2] = 0x07;
                       }),
              (KeyEntryBytes{0x00, 0x05, 0x06, 0x07}));
    // Macro run mode 0 with macro row 2 is macro number 3.
    EXPECT_EQ(entryFor(13, [](ConfigRecord& r) { r.buttons(KeyMode::B, ButtonArray::MacroSlot)[2] = 2; }),
              (KeyEntryBytes{0x09, 0x00, 0x03, 0x00}));
    EXPECT_EQ(entryFor(14), (KeyEntryBytes{0x08, 0x00, 0x02, 0x00}));
    EXPECT_EQ(entryFor(15), (KeyEntryBytes{0x00, 0x00, 0x00, 0x00}));
    EXPECT_EQ(entryFor(16), (KeyEntryBytes{0x00, 0x00, 0x00, 0x00}));
    EXPECT_EQ(entryFor(255), (KeyEntryBytes{0x00, 0x00, 0x00, 0x00}));
}

TEST(KeyEntry, TheFieldsOfOneModeAndButtonAreUsedOnly) {
    ConfigRecord r;
    r.setFunctionCode(KeyMode::A, 4, 11);
    r.buttons(KeyMode::A, ButtonArray::SingleKeyCode)[4] = 0x1A;
    r.buttons(KeyMode::B, ButtonArray::SingleKeyCode)[4] = 0x1B;
    r.buttons(KeyMode::A, ButtonArray::SingleKeyCode)[5] = 0x1C;
    EXPECT_EQ(vexo::KeyEntry(r, KeyMode::A, 4), (KeyEntryBytes{0x00, 0x00, 0x1A, 0x00}));
}

TEST(KeyMatrixImage, ModesGoToMatricesOneAndThreeWithForwardAndBackwardSwapped) {
    ConfigRecord r;
    vexo::RestoreKeyDefaults(r); // button 3 Forward, button 4 Backward
    r.setFunctionCode(KeyMode::B, 0, 14);
    r.setFunctionCode(KeyMode::A, 8, 14); // buttons beyond 7 never reach the mouse
    const auto m = vexo::KeyMatrixImage(r);
    const auto at = [&](std::size_t matrix, std::size_t position) {
        return KeyEntryBytes{m[matrix][4 * position], m[matrix][4 * position + 1], m[matrix][4 * position + 2],
                             m[matrix][4 * position + 3]};
    };
    EXPECT_EQ(at(0, 0), (KeyEntryBytes{0x01, 0x00, 0xF0, 0x00}));
    EXPECT_EQ(at(0, 3), (KeyEntryBytes{0x01, 0x00, 0xF3, 0x00}));
    EXPECT_EQ(at(0, 4), (KeyEntryBytes{0x01, 0x00, 0xF4, 0x00}));
    EXPECT_EQ(at(0, 5), (KeyEntryBytes{0x07, 0x00, 0x01, 0x00}));
    EXPECT_EQ(at(0, 7), (KeyEntryBytes{0x00, 0x00, 0x19, 0x00}));
    EXPECT_EQ(at(2, 0), (KeyEntryBytes{0x08, 0x00, 0x02, 0x00}));
    EXPECT_EQ(at(2, 1), (KeyEntryBytes{0x01, 0x00, 0xF1, 0x00}));
    for (std::size_t matrix : {0u, 2u}) {
        EXPECT_EQ(at(matrix, 8), (KeyEntryBytes{0x08, 0x00, 0x03, 0x00}));
        for (std::size_t p = 9; p <= 13; ++p) {
            EXPECT_EQ(at(matrix, p), (KeyEntryBytes{})) << p;
        }
        EXPECT_EQ(at(matrix, 14), (KeyEntryBytes{0x01, 0x00, 0xF7, 0x00}));
        EXPECT_EQ(at(matrix, 15), (KeyEntryBytes{0x01, 0x00, 0xF8, 0x00}));
    }
    EXPECT_EQ(m[1], vexo::KeyMatrix{});
    EXPECT_EQ(m[3], vexo::KeyMatrix{});
}

TEST(RestoreKeyDefaults, SetsButtonsZeroToEightInBothModesAndNothingElse) {
    ConfigRecord r;
    for (auto& b : r.bytes())
        b = 0x77;
    const ConfigRecord before = r;
    vexo::RestoreKeyDefaults(r);
    const std::uint8_t codes[9] = {0, 1, 2, 3, 4, 6, 6, 11, 15};
    std::size_t changed = 0;
    for (auto mode : {KeyMode::A, KeyMode::B}) {
        for (std::size_t b = 0; b < 9; ++b)
            EXPECT_EQ(r.functionCode(mode, b), codes[b]);
        EXPECT_EQ(r.functionCode(mode, 9), 0x77);
        EXPECT_EQ(r.dpiSubFunctions(mode)[5], 1);
        EXPECT_EQ(r.dpiSubFunctions(mode)[6], 2);
        EXPECT_EQ(r.buttons(mode, ButtonArray::SingleKeyCode)[7], 0x19);
    }
    for (std::size_t i = 0; i < ConfigRecord::kSize; ++i)
        changed += r.bytes()[i] != before.bytes()[i];
    EXPECT_EQ(changed, 2u * (9 + 2 + 1));
}

TEST(DpiTable, EveryRowFollowsItsSensorsCodeRule) {
    struct Rule {
        unsigned rows, threshold, step;
        int offset; // type 3 counts from one step below
    };
    const Rule rules[4] = {{12, 2500, 250, 0}, {20, 4000, 250, 0}, {17, 1500, 125, 0}, {20, 6000, 100, -1}};
    for (std::uint8_t type = 0; type < 4; ++type) {
        const auto list = vexo::DpiList(type);
        ASSERT_EQ(list.size(), rules[type].rows) << int(type);
        unsigned previous = 0;
        for (const auto& row : list) {
            EXPECT_GT(row.value, previous);
            previous = row.value;
            const int expected = row.value < rules[type].threshold
                ? int(row.value / rules[type].step) + rules[type].offset
                : 0x40 + int(row.value / (2 * rules[type].step)) + rules[type].offset;
            EXPECT_EQ(row.code, expected) << "type " << int(type) << " value " << row.value;
        }
    }
    EXPECT_EQ(vexo::DpiList(1).back().value, 7000);
    EXPECT_EQ(vexo::DpiList(2).front().value, 125);
    EXPECT_TRUE(vexo::DpiList(4).empty());
    EXPECT_EQ(vexo::DpiValue(3, 19), 10000u);
    EXPECT_FALSE(vexo::DpiValue(0, 12).has_value());
    EXPECT_FALSE(vexo::DpiValue(7, 0).has_value());
}

TEST(DpiTable, StageBytesCarryTheOffBit) {
    ConfigRecord r;
    r.dpiValues()[0] = 4; // stage 1, off: 0x0B | 0x80 on sensor type 3
    EXPECT_EQ(vexo::DpiCode(r, 3, 0), 0x8B);
    r.dpiEnabled()[0] = 1;
    EXPECT_EQ(vexo::DpiCode(r, 3, 0), 0x0B);
    r.dpiValues()[0] = 19;
    EXPECT_EQ(vexo::DpiCode(r, 3, 0), 0x71);
    r.dpiEnabled()[1] = 0xFF; // any non-zero is on
    r.dpiValues()[1] = 12; // beyond sensor type 0's list
    EXPECT_EQ(vexo::DpiCode(r, 0, 1), 0x00);
    EXPECT_EQ(vexo::DpiCode(r, 9, 2), 0x80); // no list, stage off
    const auto image = vexo::DpiImage(r, 3);
    EXPECT_EQ(image[0], 0x71);
    EXPECT_EQ(image[1], 0x27); // 4000 DPI
    EXPECT_EQ(image[7], 0x81);
    EXPECT_THROW(vexo::DpiCode(r, 0, 8), std::out_of_range);
}

} // namespace
