// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "keys/key_name_table.h"
#include "keys/picker_lists.h"

namespace vexo {
namespace {

TEST(KeyNameTable, NamesConvertExactlyAndCaseSensitively) {
    EXPECT_EQ(KeyNameToCode("A"), 0x04);
    EXPECT_EQ(KeyNameToCode("a"), 0x00);
    EXPECT_EQ(KeyNameToCode("Z"), 0x1D);
    EXPECT_EQ(KeyNameToCode("0"), 0x27);
    EXPECT_EQ(KeyNameToCode("Num 0"), 0x62);
    EXPECT_EQ(KeyNameToCode("Num Del"), 0x63);
    EXPECT_EQ(KeyNameToCode("Ctrl"), 0xE0);
    EXPECT_EQ(KeyNameToCode("Right Ctrl"), 0xE4);
    EXPECT_EQ(KeyNameToCode("Left Ctrl"), 0x00);
    EXPECT_EQ(KeyNameToCode("Left Windows"), 0xE3);
    EXPECT_EQ(KeyNameToCode("Right Windows"), 0xE7);
    EXPECT_EQ(KeyNameToCode("\\"), 0x31);
    EXPECT_EQ(KeyNameToCode("Eurpo(Note 2)"), 0x32);
    EXPECT_EQ(KeyNameToCode("Caps Lock"), 0x39);
    EXPECT_EQ(KeyNameToCode("Prnt Scrn"), 0x46);
    EXPECT_EQ(KeyNameToCode("Up"), 0x52);
    EXPECT_EQ(KeyNameToCode("Num Enter"), 0x58);
    EXPECT_EQ(KeyNameToCode("F12"), 0x45);
    EXPECT_EQ(KeyNameToCode("L-Button"), 0xF0);
    EXPECT_EQ(KeyNameToCode("M-Button"), 0xF2);
    // Whole-string matches only: no prefix, no trailing blank, no embedded terminator.
    EXPECT_EQ(KeyNameToCode(""), 0x00);
    EXPECT_EQ(KeyNameToCode("A "), 0x00);
    EXPECT_EQ(KeyNameToCode("Num"), 0x00);
    EXPECT_EQ(KeyNameToCode(std::string("A\0B", 3)), 0x00);
    EXPECT_EQ(KeyNameToCode("B4-Button"), 0x00);
}

TEST(KeyNameTable, RowsFollowTheKeyboardPageWithoutGapsOrDuplicates) {
    const auto rows = KeyNameTable();
    std::set<std::string_view> names;
    std::set<int> codes;
    for (const KeyNameRow& row : rows) {
        EXPECT_TRUE(names.insert(row.name).second) << "duplicate name " << row.name;
        EXPECT_TRUE(codes.insert(row.code).second) << "duplicate code " << int(row.code);
        EXPECT_EQ(KeyNameToCode(row.name), row.code) << row.name;
        EXPECT_LE(row.name.size(), 31u) << row.name;
    }
    // Usages 0x04..0x63, the eight modifiers and three mouse buttons, nothing in between.
    std::set<int> expected;
    for (int code = 0x04; code <= 0x63; ++code)
        expected.insert(code);
    for (int code = 0xE0; code <= 0xE7; ++code)
        expected.insert(code);
    expected.insert({0xF0, 0xF1, 0xF2});
    EXPECT_EQ(codes, expected);
    EXPECT_EQ(rows.size(), 107u);
}

TEST(ModifierNames, EachComboModifierHasItsOwnBit) {
    EXPECT_EQ(ModifierNameToBits("Left Ctrl"), 0x01);
    EXPECT_EQ(ModifierNameToBits("Left Shift"), 0x02);
    EXPECT_EQ(ModifierNameToBits("Left Alt"), 0x04);
    EXPECT_EQ(ModifierNameToBits("Left Win"), 0x08);
    EXPECT_EQ(ModifierNameToBits("Right Ctrl"), 0x10);
    EXPECT_EQ(ModifierNameToBits("Right Shift"), 0x20);
    EXPECT_EQ(ModifierNameToBits("Right Alt"), 0x40);
    EXPECT_EQ(ModifierNameToBits("Right Win"), 0x80);
    // Key names are not modifier names.
    EXPECT_EQ(ModifierNameToBits("Ctrl"), 0x00);
    EXPECT_EQ(ModifierNameToBits("Right Windows"), 0x00);
    EXPECT_EQ(ModifierNameToBits("left ctrl"), 0x00);
    EXPECT_EQ(ModifierNameToBits(""), 0x00);
}

TEST(FireKeyList, IndexesGiveTheListedKeys) {
    EXPECT_EQ(FireKeyIndexToCode(0), 0x04);
    EXPECT_EQ(FireKeyText(0), "A");
    EXPECT_EQ(FireKeyIndexToCode(25), 0x1D);
    EXPECT_EQ(FireKeyIndexToCode(26), 0x1E);
    EXPECT_EQ(FireKeyText(35), "0");
    EXPECT_EQ(FireKeyIndexToCode(35), 0x27);
    EXPECT_EQ(FireKeyIndexToCode(36), 0xE0);
    EXPECT_EQ(FireKeyIndexToCode(38), 0xE2);
    EXPECT_EQ(FireKeyIndexToCode(39), 0xE4);
    EXPECT_EQ(FireKeyText(39), "R-CTRL");
    EXPECT_EQ(FireKeyIndexToCode(40), 0xE5);
    EXPECT_EQ(FireKeyIndexToCode(41), 0xE6);
    EXPECT_EQ(FireKeyIndexToCode(42), 0x3A);
    EXPECT_EQ(FireKeyIndexToCode(53), 0x45);
    EXPECT_EQ(FireKeyText(53), "F12");
    EXPECT_EQ(FireKeyIndexToCode(54), 0xF0);
    EXPECT_EQ(FireKeyIndexToCode(60), 0xF6);
    EXPECT_EQ(FireKeyText(60), "R-Tilt Wheel");
    EXPECT_EQ(FireKeyIndexToCode(61), 0x00);
    EXPECT_EQ(FireKeyIndexToCode(-1), 0x00);
    EXPECT_EQ(FireKeyText(61), "");
    // No Windows keys in the fire-key list.
    for (int i = 0; i < kFireKeyRowCount; ++i) {
        EXPECT_NE(FireKeyIndexToCode(i), 0xE3);
        EXPECT_NE(FireKeyIndexToCode(i), 0xE7);
        EXPECT_FALSE(FireKeyText(i).empty());
    }
}

TEST(MediaList, CodesAndTextsInThreeLanguages) {
    EXPECT_EQ(MediaIndexToCode(0), 0xB5);
    EXPECT_EQ(MediaIndexToCode(3), 0xCD);
    EXPECT_EQ(MediaIndexToCode(4), 0xE2);
    EXPECT_EQ(MediaIndexToCode(6), 0xEA);
    EXPECT_EQ(MediaIndexToCode(7), 0x00);
    EXPECT_EQ(MediaIndexToCode(-3), 0x00);
    const auto texts = MediaTexts();
    EXPECT_EQ(texts[0].english, "Next");
    EXPECT_EQ(texts[3].english, "Play/Pause");
    EXPECT_EQ(texts[3].simplifiedChinese, "播放/暂停");
    EXPECT_EQ(texts[3].traditionalChinese, "播放/暫停");
    EXPECT_EQ(texts[4].traditionalChinese, "靜音");
    EXPECT_EQ(texts[6].simplifiedChinese, "音量-");
}

TEST(WindowsFunctionList, LowBytesPageClassesAndTexts) {
    EXPECT_EQ(WindowsFunctionIndexToCode(0), 0x83);
    EXPECT_EQ(WindowsFunctionPageClass(0), 0x01);
    EXPECT_EQ(WindowsFunctionIndexToCode(3), 0x94);
    EXPECT_EQ(WindowsFunctionPageClass(3), 0x01);
    EXPECT_EQ(WindowsFunctionIndexToCode(4), 0x21);
    EXPECT_EQ(WindowsFunctionPageClass(4), 0x02);
    EXPECT_EQ(WindowsFunctionIndexToCode(10), 0x2A);
    EXPECT_EQ(WindowsFunctionPageClass(10), 0x02);
    EXPECT_EQ(WindowsFunctionIndexToCode(11), 0x00);
    EXPECT_EQ(WindowsFunctionPageClass(11), 0x00);
    EXPECT_EQ(WindowsFunctionPageClass(-1), 0x00);
    const auto texts = WindowsFunctionTexts();
    EXPECT_EQ(texts[6].english, "Browser-Back");
    EXPECT_EQ(texts[0].simplifiedChinese, "打开多媒体播放器");
    EXPECT_EQ(texts[0].traditionalChinese, "打開多媒體播放器");
    EXPECT_EQ(texts[10].english, "Browser-My Favorites");
    EXPECT_EQ(texts[10].simplifiedChinese, "浏览器-收藏夹");
    EXPECT_EQ(texts[10].traditionalChinese, "瀏覽器-我的最愛");
    EXPECT_EQ(texts[4].traditionalChinese, "瀏覽器-搜索");
}

} // namespace
} // namespace vexo
