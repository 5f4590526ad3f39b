// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include "config/ini_settings.h"
#include "config/profile_ini.h"
#include "config/temp_dir.h"
#include "config/ui_texts.h"
#include "support/bounded_run.h"

#include <fstream>

using vexo::IniSettings;
using vexo::KeyMode;
using vexo::ProfileIni;
using vexo::Rgb;
using vexo::test::TempDir;

namespace {

class IniSettingsTest : public ::testing::Test {
protected:
    IniSettings settingsFor(const std::string& language) {
        IniSettings s;
        s.m_strStrIniPath = file;
        s.m_strSettingSection = vexo::SelectTexts(language).m_strSettingSection;
        return s;
    }
    TempDir dir{"settings"};
    std::filesystem::path file = dir / "str.ini";
};

TEST_F(IniSettingsTest, ColourTextsBecomeBytes) {
    EXPECT_EQ(IniSettings::ColourComponent("300"), 44);
    EXPECT_EQ(IniSettings::ColourComponent("256"), 0);
    EXPECT_EQ(IniSettings::ColourComponent("abc"), 0);
    EXPECT_EQ(IniSettings::ColourComponent("12abc"), 12);
    EXPECT_EQ(IniSettings::ColourComponent(""), 0);
    EXPECT_EQ(IniSettings::ColourComponent("  7"), 7);
    EXPECT_EQ(IniSettings::ColourComponent("-1"), 255);
    EXPECT_EQ(IniSettings::ColourComponent("99999999999999999999999999999"), 255); // no overflow
    EXPECT_EQ(IniSettings::ColourComponent("1000000000000"), (1000000000000ULL & 0xFF));
}

TEST_F(IniSettingsTest, AMissingFileGivesEnglishTheDeliveredTextColourAndEmptyLabels) {
    EXPECT_EQ(IniSettings::ReadLanguage(file), "");
    IniSettings s = settingsFor(IniSettings::ReadLanguage(file));
    s.LoadIniSettings();
    EXPECT_EQ(s.m_strSettingSection, "Setting-EN");
    // Not black: that would hide every text on the black skin.
    EXPECT_EQ(s.TextColour(), (Rgb{220, 220, 220}));
    EXPECT_EQ(s.m_strSkinName, "");
    for (const auto& label : s.m_strButtonLabelB)
        EXPECT_EQ(label, "");
    EXPECT_FALSE(std::filesystem::exists(file)) << "reading never creates the file";
}

TEST_F(IniSettingsTest, MissingColourKeysTakeTheDeliveredColourWhateverTheFile) {
    const std::string bigEndian = [] {
        std::string text = "\xFE\xFF";
        for (const char c : std::string("[Skins]\r\nRColor=10\r\n"))
            text += std::string{'\0', c};
        return text;
    }();
    struct Case {
        std::string content;
        Rgb colour;
    };
    for (const Case& c : {Case{"", Rgb{220, 220, 220}}, Case{"[Skins]\nRColor=10\nBColor=\n", Rgb{10, 220, 220}},
                          Case{"[Skins]\nRColor=0\nGColor=0\nBColor=0\n", Rgb{0, 0, 0}},
                          Case{"[Skins]\nGColor=abc\n", Rgb{220, 0, 220}}, Case{bigEndian, Rgb{220, 220, 220}}}) {
        TempDir::put(file, c.content);
        IniSettings s = settingsFor("EN");
        s.LoadIniSettings();
        EXPECT_EQ(s.TextColour(), c.colour) << c.content;
    }
}

TEST_F(IniSettingsTest, AQuotedLanguageCodeCountsWithoutItsQuotesButWithItsBlanks) {
    TempDir::put(file, "[Skins]\nLan=\"CHS\"\n");
    EXPECT_EQ(settingsFor(IniSettings::ReadLanguage(file)).m_strSettingSection, "Setting-CHS");
    TempDir::put(file, "[Skins]\nLan=\"CHS \"\n");
    EXPECT_EQ(settingsFor(IniSettings::ReadLanguage(file)).m_strSettingSection, "Setting-EN");
}

TEST_F(IniSettingsTest, LabelsLiveInTheirLanguagesSectionOnly) {
    TempDir::put(file,
                 "[Skins]\nLan=CHT\nRColor=300\nGColor=12abc\nBColor=x\nPath=Blue\n"
                 "[Setting-CHS]\nItem1=左键\n[Setting-EN]\nItem1=Left Click\n"
                 "[Setting-CHT]\nItem1=左鍵\nItem13=右鍵\nItem123=最後\nItem12=" +
                     std::string(1500, 'L') + "\n");
    const std::string chsAndEnBefore = "[Setting-CHS]\nItem1=左键\n[Setting-EN]\nItem1=Left Click\n";
    IniSettings s = settingsFor(IniSettings::ReadLanguage(file));
    ASSERT_EQ(s.m_strSettingSection, "Setting-CHT");
    s.LoadIniSettings();
    EXPECT_EQ(s.m_strButtonLabelA[0], "左鍵");
    EXPECT_EQ(s.m_strButtonLabelB[0], "右鍵");
    EXPECT_EQ(s.m_strButtonLabelB[11], "最後");
    EXPECT_EQ(s.m_strButtonLabelA[11], std::string(1023, 'L'));
    EXPECT_EQ(s.TextColour(), (Rgb{44, 12, 0}));
    EXPECT_EQ(s.m_strSkinName, "Blue");

    s.m_strButtonLabelA[1] = "巨集 A";
    s.m_strButtonLabelB[8] = "Combo Key-Ctrl+C";
    ASSERT_TRUE(s.SaveButtonLabels());
    const ProfileIni ini(file);
    EXPECT_EQ(ini.readString("Setting-CHT", "Item2"), "巨集 A");
    EXPECT_EQ(ini.readString("Setting-CHT", "Item93"), "Combo Key-Ctrl+C");
    EXPECT_EQ(ini.readString("Setting-CHT", "Item13"), "右鍵");
    EXPECT_NE(TempDir::take(file).find(chsAndEnBefore), std::string::npos) << "other languages untouched";

    // A label edited but never saved shows its stored value again after a reload.
    s.m_strButtonLabelA[1] = "unsaved";
    s.LoadIniSettings();
    EXPECT_EQ(s.m_strButtonLabelA[1], "巨集 A");
}

TEST_F(IniSettingsTest, SkinSettingsAreWrittenAsDecimalTexts) {
    IniSettings s = settingsFor("EN");
    s.m_strSkinName = "Black";
    ASSERT_TRUE(s.SaveSkinSettings({200, 0, 255}));
    EXPECT_EQ(s.m_strRColor, "200");
    EXPECT_EQ(TempDir::take(file), "[Skins]\r\nRColor=200\r\nGColor=0\r\nBColor=255\r\nPath=Black\r\n");
    IniSettings again = settingsFor("EN");
    again.LoadIniSettings();
    EXPECT_EQ(again.TextColour(), (Rgb{200, 0, 255}));
    EXPECT_EQ(again.m_strSkinName, "Black");
}

TEST_F(IniSettingsTest, FirstRunLabelsFollowTheKeyDefaults) {
    IniSettings s = settingsFor("CHS");
    s.m_strButtonLabelA[8] = "kept";
    s.m_strButtonLabelB[11] = "kept too";
    s.SetFirstRunLabels(vexo::SelectTexts("CHS"));
    const IniSettings::Labels expected{"左键",  "右键",   "中键", "前进方向键", "后退方向键", "DPI +",
                                       "DPI -", "单键-V", "kept", "",           "",           ""};
    EXPECT_EQ(s.m_strButtonLabelA, expected);
    EXPECT_EQ(s.m_strButtonLabelB[7], "单键-V");
    EXPECT_EQ(s.m_strButtonLabelB[11], "kept too");
    EXPECT_EQ(IniSettings::LabelKey(KeyMode::A, 0), "Item1");
    EXPECT_EQ(IniSettings::LabelKey(KeyMode::B, 0), "Item13");
    EXPECT_EQ(IniSettings::LabelKey(KeyMode::B, 11), "Item123");
}

TEST_F(IniSettingsTest, AFailedSaveLeavesTheFileAndSaysWhy) {
    IniSettings s = settingsFor("EN");
    s.m_strStrIniPath = dir / "missing-folder" / "str.ini";
    EXPECT_FALSE(s.SaveButtonLabels());
    EXPECT_FALSE(s.lastError().empty());
    EXPECT_FALSE(s.SaveSkinSettings({1, 2, 3}));
}

} // namespace

namespace {

// The peak resident memory of this process in bytes since the last reset (VmHWM).
std::size_t PeakResidentBytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stoull(line.substr(6)) * 1024;
    }
    return 0;
}

TEST_F(IniSettingsTest, AHugeFileOfEmptyLinesCostsMemoryInProportionToItsSize) {
    // Sixteen million empty lines, then the labels: every line used to cost about a hundred bytes.
    constexpr std::size_t kLines = 16u << 20;
    TempDir::put(file, std::string(kLines, '\n') + "[Setting-EN]\nItem1=Left\n[Skins]\nRColor=300\n");
    const auto outcome = vexo::test::RunBounded(std::chrono::seconds(120), [&] {
        // The peak from here on, over the memory already in use.
        if (!(std::ofstream("/proc/self/clear_refs") << "5"))
            return 10;
        const std::size_t before = PeakResidentBytes();
        IniSettings s = settingsFor("EN");
        s.LoadIniSettings();
        if (s.m_strButtonLabelA[0] != "Left" || s.TextColour().red != 44)
            return 1;
        s.m_strButtonLabelB[0] = "Right";
        if (!s.SaveButtonLabels())
            return 2;
        const std::size_t used = PeakResidentBytes() - before;
        // Reading, editing and writing the file: a few copies of it at most.
        return used <= 5 * kLines ? 0 : 3;
    });
    ASSERT_FALSE(outcome.timedOut());
    EXPECT_EQ(outcome.status, 0) << "1: misread, 2: not saved, 3: too much memory, 10: cannot measure";
    EXPECT_EQ(ProfileIni(file).readString("Setting-EN", "Item13"), "Right");
}

} // namespace

namespace {

// Labels the user did not edit keep their bytes: invalid UTF-8, a NUL, quotes and odd spacing are
// not rewritten by a save of the labels; only the edited label's line changes.
TEST_F(IniSettingsTest, SavingTheLabelsChangesOnlyTheLabelTheUserEdited) {
    const std::string before = std::string("[Skins]\r\nLan=EN\r\n[Setting-EN]\r\nItem1=Bad \xFF\xFE bytes\r\n") +
        std::string("Item2=cut\0here\r\n", 16) + "Item3 =  \"quoted\"  \r\nItem4=old\r\n";
    TempDir::put(file, before);
    IniSettings s = settingsFor("EN");
    s.LoadIniSettings();
    ASSERT_EQ(s.m_strButtonLabelA[3], "old");
    ASSERT_TRUE(s.SaveButtonLabels());
    const std::string unchanged = TempDir::take(file);
    EXPECT_EQ(unchanged.substr(0, before.size()), before) << "labels nobody edited were rewritten";
    s.m_strButtonLabelA[3] = "new";
    ASSERT_TRUE(s.SaveButtonLabels());
    std::string expected = unchanged;
    expected.replace(expected.find("Item4=old"), 9, "Item4=new");
    EXPECT_EQ(TempDir::take(file), expected);
}

// A file of millions of sections: the names a reader uses are the first ones, the count is all of them.
TEST_F(IniSettingsTest, AFileOfMillionsOfSectionsIsCountedWholeAndReadOnlyAsFarAsNeeded) {
    std::string text = "[first]\r\nk=v\r\n";
    for (int n = 0; n < 2'000'000; ++n)
        text += "[s]\r\n";
    TempDir::put(file, text);
    const ProfileIni ini(file);
    EXPECT_EQ(ini.sectionCount(), 2'000'001u);
    const auto names = ini.sectionNames(1024);
    EXPECT_EQ(names.front(), "first");
    EXPECT_LE(names.size(), 512u);
}

} // namespace
