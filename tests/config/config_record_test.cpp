// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <numeric>
#include <stdexcept>

#include "config/config_record.h"

using vexo::ButtonArray;
using vexo::ConfigRecord;
using vexo::KeyMode;
using vexo::Rgb;

namespace {

// Every field lands at the offset the file format gives it (literal offsets, not the class's own
// constants, so a wrong constant shows up here).
TEST(ConfigRecordLayout, EachAccessorWritesItsDocumentedBytes) {
    ConfigRecord r;
    r.buttons(KeyMode::A, ButtonArray::FunctionCode)[0] = 0x11;
    r.buttons(KeyMode::A, ButtonArray::MacroRepeatMode)[11] = 0x12;
    r.buttons(KeyMode::B, ButtonArray::FunctionCode)[1] = 0x13;
    r.buttons(KeyMode::B, ButtonArray::WinFuncPage)[2] = 0x14;
    r.setFunctionCode(KeyMode::B, 8, 0x15);
    r.macro(1)[0] = 0x21;
    r.macro(10)[127] = 0x22;
    r.setReportRate(8);
    r.dpiValues()[7] = 0x31;
    r.dpiEnabled()[0] = 0x32;
    r.setDpiColour(1, {0x41, 0x42, 0x43});
    r.setLightingMode(3);
    r.setLightingParameter1(1, 0x51);
    r.setLightingParameter1(3, 0x53);
    r.setLightingParameter2(2, 0x55);
    r.setDesktop({1, 1, 6, 3, 7});
    r.setModeSelector(1);
    r.dpiSubFunctions(KeyMode::A)[5] = 1;
    r.dpiSubFunctions(KeyMode::B)[6] = 2;
    r.setLoopColour(7, {0x61, 0x62, 0x63});
    r.setDpiMarkBits(0xA55A);

    const auto b = r.bytes();
    EXPECT_EQ(b[0], 0x11);
    EXPECT_EQ(b[180 + 11], 0x12);
    EXPECT_EQ(b[192 + 1], 0x13);
    EXPECT_EQ(b[192 + 60 + 2], 0x14);
    EXPECT_EQ(b[192 + 8], 0x15);
    EXPECT_EQ(b[384], 0x21);
    EXPECT_EQ(b[384 + 9 * 128 + 127], 0x22);
    EXPECT_EQ(b[1925], 8);
    EXPECT_EQ(b[1934], 0x31);
    EXPECT_EQ(b[1935], 0x32);
    EXPECT_EQ(b[1946], 0x41);
    EXPECT_EQ(b[1948], 0x43);
    EXPECT_EQ(b[1967], 3);
    EXPECT_EQ(b[1968], 0x51);
    EXPECT_EQ(b[1970], 0x53);
    EXPECT_EQ(b[1972], 0x55);
    EXPECT_EQ(b[1975], 1);
    EXPECT_EQ(b[1977], 6);
    EXPECT_EQ(b[1979], 7);
    EXPECT_EQ(b[1980], 1);
    EXPECT_EQ(b[1981 + 5], 1);
    EXPECT_EQ(b[1993 + 6], 2);
    EXPECT_EQ(b[2013 + 21], 0x61);
    EXPECT_EQ(b[2036], 0x63);
    EXPECT_EQ(b[2037], 0x5A);
    EXPECT_EQ(b[2038], 0xA5);
    EXPECT_EQ(r.editedMode(), KeyMode::B);
    EXPECT_EQ(r.dpiColourBytes()[3], 0x41);
    EXPECT_EQ(r.macroArea().size(), 1280u);
}

TEST(ConfigRecordLayout, ReadsBackWhatTheBytesHoldAndKeepsReservedBytes) {
    ConfigRecord::Bytes raw{};
    std::iota(raw.begin(), raw.end(), 0); // every byte different from its neighbours
    ConfigRecord r{std::span<const std::uint8_t, ConfigRecord::kSize>(raw)};
    EXPECT_EQ(r.functionCode(KeyMode::B, 3), raw[195]);
    EXPECT_EQ(r.buttons(KeyMode::A, ButtonArray::ComboKey2)[4], raw[160]);
    EXPECT_EQ(r.dpiColour(7), (Rgb{raw[1964], raw[1965], raw[1966]}));
    EXPECT_EQ(r.lightingParameter2(3), raw[1973]);
    EXPECT_EQ(r.desktop().doubleClickRow, raw[1979]);
    EXPECT_EQ(r.loopColour(0), (Rgb{raw[2013], raw[2014], raw[2015]}));
    EXPECT_EQ(r.stageEnabled(2), raw[1937] != 0);

    // Overwrite every named field; the reserved ranges must come through untouched.
    for (auto mode : {KeyMode::A, KeyMode::B}) {
        for (int f = 0; f < 16; ++f) {
            for (auto& v : r.buttons(mode, static_cast<ButtonArray>(f)))
                v = 0xEE;
        }
        for (auto& v : r.dpiSubFunctions(mode))
            v = 0xEE;
    }
    for (auto& v : r.macroArea())
        v = 0xEE;
    for (auto& v : r.dpiValues())
        v = 0xEE;
    for (auto& v : r.dpiEnabled())
        v = 0xEE;
    for (std::size_t s = 0; s < 8; ++s) {
        r.setDpiColour(s, {0xEE, 0xEE, 0xEE});
        r.setLoopColour(s, {0xEE, 0xEE, 0xEE});
    }
    for (std::size_t m = 1; m <= 3; ++m) {
        r.setLightingParameter1(m, 0xEE);
        r.setLightingParameter2(m, 0xEE);
    }
    r.setReportRate(0xEE);
    r.setLightingMode(0xEE);
    r.setDesktop({0xEE, 0xEE, 0xEE, 0xEE, 0xEE});
    r.setModeSelector(0xEE);
    r.setDpiMarkBits(0xEEEE);
    std::size_t named = 0;
    for (std::size_t i = 0; i < ConfigRecord::kSize; ++i) {
        const bool reserved =
            (i >= 1664 && i < 1925) || i == 1926 || i == 1974 || (i >= 2005 && i < 2013) || i == 2039 || i == 2040;
        if (reserved) {
            EXPECT_EQ(r.bytes()[i], raw[i]) << "reserved byte " << i << " changed";
        } else {
            named += r.bytes()[i] == 0xEE;
        }
    }
    EXPECT_EQ(named, ConfigRecord::kSize - 261 - 1 - 1 - 8 - 2) << "some field has no accessor";
}

TEST(ConfigRecordLayout, DpiMarksAreReadInGroupsOfFour) {
    ConfigRecord r;
    r.setDpiMarkBits(0b1000'0000'0001'0010);
    EXPECT_TRUE(r.dpiMark(0, 1));
    EXPECT_FALSE(r.dpiMark(0, 0));
    EXPECT_TRUE(r.dpiMark(1, 0));
    EXPECT_TRUE(r.dpiMark(3, 3));
    EXPECT_FALSE(r.dpiMark(2, 3));
}

TEST(ConfigRecordLayout, IndexesOutsideTheirRangeAreRejected) {
    ConfigRecord r;
    EXPECT_THROW(r.macro(0), std::out_of_range);
    EXPECT_THROW(r.macro(11), std::out_of_range);
    EXPECT_THROW(r.setFunctionCode(KeyMode::A, 12, 0), std::out_of_range);
    EXPECT_THROW(r.dpiColour(8), std::out_of_range);
    EXPECT_THROW(r.lightingParameter1(0), std::out_of_range);
    EXPECT_THROW(r.lightingParameter2(4), std::out_of_range);
    EXPECT_THROW(r.dpiMark(4, 0), std::out_of_range);
    EXPECT_EQ(r, ConfigRecord{});
}

} // namespace
