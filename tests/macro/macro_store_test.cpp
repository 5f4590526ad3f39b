// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <cerrno>
#include <string_view>

#include "config/atomic_file.h"
#include "config/profile_ini.h"
#include "config/temp_dir.h"
#include "macro/macro_encoder.h"
#include "macro/macro_line.h"
#include "macro/macro_store.h"
#include "macro_test_support.h"

namespace vexo {
namespace {

using test::Section;

class MacroStoreTest : public ::testing::Test {
protected:
    void put(const std::string& text) { test::TempDir::put(file_, text); }
    std::string text() const { return test::TempDir::take(file_); }

    test::TempDir dir_{"macro-store"};
    std::filesystem::path file_ = dir_ / "record.ini";
    ProfileIni store_{file_};
};

TEST_F(MacroStoreTest, MissingFileHasNoMacros) {
    EXPECT_TRUE(ReadMacroSectionNames(store_).empty());
    const StoredMacro macro = LoadMacro(store_, "anything");
    EXPECT_EQ(macro.loopTimesText, "");
    EXPECT_TRUE(macro.lines.empty());
}

TEST_F(MacroStoreTest, SectionNamesInFileOrderWithinTheUsedPartOfTheList) {
    put(Section("b", "1", {}) + Section("A", "1", {}) + Section("中文", "1", {}));
    EXPECT_EQ(ReadMacroSectionNames(store_), (std::vector<std::string>{"b", "A", "中文"}));

    // Eight names of 31 characters: the seventh ends at character 223, the eighth at 255.
    std::string text;
    for (char c = 'a'; c < 'a' + 8; ++c)
        text += Section(std::string(31, c), "1", {});
    put(text);
    auto names = ReadMacroSectionNames(store_);
    ASSERT_EQ(names.size(), 7u);
    EXPECT_EQ(names.back(), std::string(31, 'g'));

    // A name whose terminator is character 254 is still used: 7 * 32 = 224, plus 30 characters.
    text.clear();
    for (char c = 'a'; c < 'a' + 7; ++c)
        text += Section(std::string(31, c), "1", {});
    put(text + Section(std::string(30, 'h'), "1", {}));
    EXPECT_EQ(ReadMacroSectionNames(store_).size(), 8u);

    // Limits count UTF-16 units, not bytes: 31 Chinese characters are 93 bytes but 31 units.
    text.clear();
    for (int i = 0; i < 7; ++i) {
        std::string name;
        for (int k = 0; k < 31; ++k)
            name += (k == 0 ? std::string(1, char('a' + i)) : std::string("字"));
        text += Section(name, "1", {});
    }
    put(text);
    EXPECT_EQ(ReadMacroSectionNames(store_).size(), 7u);

    // A name that could not end within the 255 characters even as the first is left out alone; the
    // names around it are listed as if it were not there. One of 254 characters still fits.
    put(Section("a", "1", {}) + Section(std::string(100000, 'x'), "1", {}) + Section(std::string(255, 'y'), "1", {}) +
        Section("b", "1", {}));
    EXPECT_EQ(ReadMacroSectionNames(store_), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(CountUnlistedSections(store_, 2), 2u);
    put(Section(std::string(254, 'z'), "1", {}) + Section("c", "1", {}));
    EXPECT_EQ(ReadMacroSectionNames(store_), (std::vector<std::string>{std::string(254, 'z')}));
    // The rule for the names that fit stays: a long one that does not fit where it stands still
    // ends the list.
    put(Section(std::string(200, 'a'), "1", {}) + Section(std::string(60, 'b'), "1", {}) + Section("c", "1", {}));
    EXPECT_EQ(ReadMacroSectionNames(store_), (std::vector<std::string>{std::string(200, 'a')}));
}

TEST_F(MacroStoreTest, LoadReadsLoopTimesAndTheCountedLines) {
    put(Section("m", " 12 ", {"A   Dn", "50 ms", "A   Up", "stale"}, "3"));
    StoredMacro macro = LoadMacro(store_, "M");
    EXPECT_EQ(macro.loopTimesText, "12");
    EXPECT_EQ(macro.lines, (std::vector<std::string>{"A   Dn", "50 ms", "A   Up"}));
    EXPECT_FALSE(macro.truncated);

    // Lines the count names but the file lacks read as empty; absurd counts are bounded.
    put(Section("m", "1", {"A   Dn"}, "3"));
    EXPECT_EQ(LoadMacro(store_, "m").lines, (std::vector<std::string>{"A   Dn", "", ""}));
    put(Section("m", "1", {"A   Dn"}, "4000000000"));
    macro = LoadMacro(store_, "m");
    EXPECT_TRUE(macro.truncated);
    EXPECT_EQ(macro.lines.size(), kMaxMacroLines);
    put(Section("m", "1", {"A   Dn"}, "-1"));
    EXPECT_TRUE(LoadMacro(store_, "m").lines.empty());
}

TEST_F(MacroStoreTest, QuotedValuesReadAndEncodeWithoutTheirQuotes) {
    put("[q]\r\nMacroLoopTimes=\"3\"\r\nItemCount='3'\r\nItem0=\"A   Dn\"\r\nItem1=\"50 ms\"\r\n"
        "Item2=\"A   Up\"\r\nItem3=\"unbalanced\r\n");
    const StoredMacro macro = LoadMacro(store_, "q");
    EXPECT_EQ(macro.loopTimesText, "3");
    EXPECT_EQ(macro.lines, (std::vector<std::string>{"A   Dn", "50 ms", "A   Up"}));
    // The encoding sees the key A, not a key named with a quotation mark.
    test::GuardedArea area;
    EncodeMacroStore(store_, area.area());
    EXPECT_EQ(area.block(0), test::BlockOf({0x00, 0x03, 0x05, 0x04, 0x80, 0x04}));
}

TEST_F(MacroStoreTest, SaveReplacesTheSectionAndMovesItLast) {
    put(Section("old", "4", {"A   Dn", "10 ms", "A   Up", "10 ms", "B   Dn"}) + Section("other", "1", {"C   Dn"}));
    const std::vector<std::string> lines = {PressLine("Z"), DelayLine(50), ReleaseLine("Z")};
    const MacroWriteResult saved = SaveMacro(store_, "old", "3", lines);
    ASSERT_TRUE(saved.ok) << saved.message;

    EXPECT_EQ(ReadMacroSectionNames(store_), (std::vector<std::string>{"other", "old"}));
    const StoredMacro macro = LoadMacro(store_, "old");
    EXPECT_EQ(macro.loopTimesText, "3");
    EXPECT_EQ(macro.lines, lines);
    // The stale lines of the longer version are gone from the file.
    EXPECT_EQ(store_.readString("old", "Item3", "missing"), "missing");
    EXPECT_EQ(text().find("Item4"), std::string::npos);

    // The saved macro now encodes into the last slot.
    std::array<std::uint8_t, kMacroAreaSize> area{};
    EncodeMacroStore(store_, area);
    EXPECT_EQ(area[kMacroBlockSize + 1], 3);
    EXPECT_EQ(area[kMacroBlockSize + 3], 0x1D);
}

TEST_F(MacroStoreTest, ASaveThatFailsAtAnyFileReplacementKeepsTheOldMacroWhole) {
    const std::string before = Section("keep", "2", {"A   Dn", "10 ms", "A   Up"});
    const std::vector<std::string> lines = {PressLine("Z")};
    for (int failing = 1; failing <= 3; ++failing) {
        put(before);
        int replacement = 0;
        AtomicFile::setFaultHook([&](const char* step) {
            if (std::string_view(step) == "open")
                ++replacement;
            return std::string_view(step) == "write" && replacement == failing ? ENOSPC : 0;
        });
        const MacroWriteResult saved = SaveMacro(store_, "keep", "5", lines);
        AtomicFile::setFaultHook(nullptr);
        if (saved.ok) {
            EXPECT_EQ(LoadMacro(store_, "keep").lines, lines) << failing;
        } else {
            EXPECT_FALSE(saved.message.empty());
            EXPECT_EQ(text(), before) << "failing replacement " << failing;
        }
    }
}

TEST_F(MacroStoreTest, NamesTheReadersCannotHoldAreRefusedBeforeTheFileChanges) {
    put(Section("keep", "1", {"A   Dn"}));
    const std::string before = text();
    const std::vector<std::string> lines = {"A   Dn"};

    const std::string tooLong(32, 'x');
    MacroWriteResult result = SaveMacro(store_, tooLong, "1", lines);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.nameCheck, MacroNameCheck::TooLong);
    EXPECT_NE(result.message.find("31"), std::string::npos);
    EXPECT_EQ(WriteMacroLoopTimes(store_, tooLong, "2").nameCheck, MacroNameCheck::TooLong);
    // A character outside the basic plane takes two of the 31 units.
    const std::string emoji = "\xF0\x9F\x98\x80";
    EXPECT_EQ(CheckMacroName(std::string(29, 'y') + emoji), MacroNameCheck::Ok);
    EXPECT_EQ(CheckMacroName(std::string(30, 'y') + emoji), MacroNameCheck::TooLong);
    EXPECT_EQ(SaveMacro(store_, "", "1", lines).nameCheck, MacroNameCheck::Empty);
    EXPECT_EQ(SaveMacro(store_, "a]b", "1", lines).nameCheck, MacroNameCheck::NotStorable);
    EXPECT_EQ(SaveMacro(store_, "a\nb", "1", lines).nameCheck, MacroNameCheck::NotStorable);
    EXPECT_EQ(SaveMacro(store_, " pad", "1", lines).nameCheck, MacroNameCheck::NotStorable);
    const std::vector<std::string> tooMany(kMaxMacroLines + 1, "10 ms");
    EXPECT_FALSE(SaveMacro(store_, "many", "1", tooMany).ok);
    EXPECT_EQ(text(), before);

    // Exactly 31 units is fine, also in Chinese (93 bytes of UTF-8).
    std::string chinese;
    for (int i = 0; i < 31; ++i)
        chinese += "宏";
    ASSERT_TRUE(SaveMacro(store_, chinese, "1", lines).ok);
    ASSERT_TRUE(SaveMacro(store_, std::string(31, 'x'), "1", lines).ok);
    EXPECT_EQ(ReadMacroSectionNames(store_), (std::vector<std::string>{"keep", chinese, std::string(31, 'x')}));
}

TEST_F(MacroStoreTest, NewStoreIsUtf8AndUtf16StoreStaysUtf16) {
    ASSERT_TRUE(SaveMacro(store_, "宏一", "2", std::vector<std::string>{"A   Dn"}).ok);
    EXPECT_NE(text().find("[宏一]"), std::string::npos);

    // A store made by the Windows program in UTF-16LE with a byte-order mark.
    std::u16string wide = u"[旧]\r\nMacroLoopTimes=5\r\nItemCount=1\r\nItem0=B   Dn\r\n";
    std::string bytes = "\xFF\xFE";
    for (char16_t c : wide) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    put(bytes);
    ASSERT_TRUE(WriteMacroLoopTimes(store_, "旧", "6").ok);
    const std::string after = text();
    ASSERT_GE(after.size(), 2u);
    EXPECT_EQ(after.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(LoadMacro(store_, "旧").loopTimesText, "6");
    EXPECT_EQ(LoadMacro(store_, "旧").lines, (std::vector<std::string>{"B   Dn"}));
}

TEST_F(MacroStoreTest, LoopTimesAndDeleteTouchOnlyTheirSection) {
    put(Section("a", "1", {"A   Dn"}) + Section("b", "1", {"B   Dn"}));
    ASSERT_TRUE(WriteMacroLoopTimes(store_, "b", "9").ok);
    EXPECT_EQ(LoadMacro(store_, "b").loopTimesText, "9");
    EXPECT_EQ(LoadMacro(store_, "b").lines, (std::vector<std::string>{"B   Dn"}));
    EXPECT_EQ(ReadMacroSectionNames(store_), (std::vector<std::string>{"a", "b"}));

    // A name not yet in the file gets its section at the end.
    ASSERT_TRUE(WriteMacroLoopTimes(store_, "new", "4").ok);
    EXPECT_EQ(ReadMacroSectionNames(store_), (std::vector<std::string>{"a", "b", "new"}));

    ASSERT_TRUE(DeleteMacro(store_, "A").ok);
    EXPECT_EQ(ReadMacroSectionNames(store_), (std::vector<std::string>{"b", "new"}));
    EXPECT_TRUE(DeleteMacro(store_, "absent").ok);
}

TEST(MacroLines, EventLinesAndTheirMarkers) {
    EXPECT_EQ(ParseDelayMilliseconds("1 ms2 ms"), 12); // every " ms" goes, then the leading number
    const auto release = ParseMacroEvent("Right Windows   Up");
    ASSERT_TRUE(release.has_value());
    EXPECT_TRUE(release->release);
    EXPECT_EQ(release->keyName, "Right Windows");
    EXPECT_FALSE(ParseMacroEvent("50 ms").has_value());
    EXPECT_FALSE(ParseMacroEvent("A  Dn").has_value()); // two blanks are not the marker
    EXPECT_EQ(PressLine("A"), "A   Dn");
    EXPECT_EQ(DelayLine(50), "50 ms");
}

} // namespace
} // namespace vexo
