// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "config/ui_fonts.h"
#include "config/ui_texts.h"

using vexo::Language;
using vexo::LanguageOf;
using vexo::SelectTexts;

namespace {

// The reference copy of the table: slot, simplified Chinese, traditional Chinese, English.
std::vector<std::array<std::string, 4>> referenceTable() {
    std::ifstream in(std::string(VEXO_SOURCE_DIR) + "/tests/data/ui_texts.tsv");
    std::vector<std::array<std::string, 4>> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::array<std::string, 4> row;
        std::stringstream fields(line);
        for (auto& f : row)
            std::getline(fields, f, '\t');
        rows.push_back(row);
    }
    return rows;
}

TEST(UiTexts, EverySlotOfEveryLanguageMatchesTheReferenceVerbatim) {
    const auto reference = referenceTable();
    ASSERT_EQ(reference.size(), 104u);
    const auto table = vexo::TextTable();
    std::set<const std::string*> slots;
    const std::pair<const char*, std::size_t> languages[] = {{"CHS", 1}, {"CHT", 2}, {"", 3}, {"EN", 3}};
    for (const auto& [code, column] : languages) {
        const vexo::UiTexts texts = SelectTexts(code);
        slots.clear();
        for (std::size_t i = 0; i < reference.size(); ++i) {
            ASSERT_EQ(table[i].name, reference[i][0]) << "slot order differs at " << i;
            EXPECT_EQ(texts.*table[i].slot, reference[i][column]) << reference[i][0] << " in '" << code << "'";
            slots.insert(&(texts.*table[i].slot));
        }
        EXPECT_EQ(slots.size(), 104u) << "two rows fill the same slot";
    }
}

TEST(UiTexts, SlotsHoldTheirOwnTexts) {
    const auto en = SelectTexts("EN");
    EXPECT_EQ(en.m_strSpeed, "Speed");
    EXPECT_EQ(en.m_strKeyDefault, "Default");
    EXPECT_EQ(en.m_strRestoreDefaults, "Default");
    EXPECT_EQ(en.m_strDpiStage1, "Switch DPI into the first stage ");
    EXPECT_EQ(en.m_strDpiColorLedSetting, "DPI Self-Color LED Setting ");
    EXPECT_EQ(en.m_strNotRecording, "It doesn\u2019t start recording, unnecessary to press Stop key!");
    EXPECT_EQ(en.m_strSettingSection, "Setting-EN");
    const auto chs = SelectTexts("CHS");
    EXPECT_EQ(chs.m_strSpeed, "速度:请调整灯光显示速度");
    EXPECT_EQ(chs.m_strSettingSection, "Setting-CHS");
    const auto cht = SelectTexts("CHT");
    EXPECT_EQ(cht.m_strSpeed, "速度");
    EXPECT_EQ(cht.m_strBrightness, "亮度");
    EXPECT_EQ(cht.m_strNotRecording, "沒有開始錄製，點擊停止錄製按鈕沒有意義！");
    EXPECT_EQ(cht.m_strSettingSection, "Setting-CHT");
    EXPECT_FALSE(en.m_strWebAddress.empty());
    EXPECT_EQ(en.m_strWebAddress, cht.m_strWebAddress);
}

TEST(UiTexts, OnlyTheExactCodesSelectChinese) {
    EXPECT_EQ(LanguageOf("CHS"), Language::SimplifiedChinese);
    EXPECT_EQ(LanguageOf("CHT"), Language::TraditionalChinese);
    for (std::string_view other : std::vector<std::string_view>{"", "chs", "Chs", "CHS ", " CHS", "CHSX", "cht",
                                                                "CHT\t", "EN", std::string_view("CHS\0", 4)}) {
        EXPECT_EQ(LanguageOf(other), Language::English) << "'" << other << "'";
    }
    EXPECT_EQ(SelectTexts("chs").m_strOk, "OK");
}

TEST(UiFonts, EachLanguageHasItsFaces) {
    using vexo::FontsFor;
    using vexo::LanguageFonts;
    EXPECT_EQ(FontsFor(Language::English), (LanguageFonts{{"Arial", 14, 400}, {"Tahoma", 18, 700}}));
    EXPECT_EQ(FontsFor(Language::SimplifiedChinese), (LanguageFonts{{"宋体", 13, 400}, {"宋体", 18, 700}}));
    EXPECT_EQ(FontsFor(Language::SimplifiedChinese, true), (LanguageFonts{{"黑体", 13, 400}, {"黑体", 18, 700}}));
    EXPECT_EQ(FontsFor(Language::TraditionalChinese), (LanguageFonts{{"黑体", 13, 400}, {"黑体", 18, 700}}));
    EXPECT_EQ(FontsFor(LanguageOf("")).title.face, "Tahoma");
}

} // namespace
