// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <cstring>
#include <sys/stat.h>

#include "config/atomic_file.h"
#include "config/profile_ini.h"
#include "config/temp_dir.h"
#include "support/bounded_run.h"

using vexo::AtomicFile;
using vexo::ProfileIni;
using vexo::test::TempDir;

namespace {

// UTF-16LE bytes with BOM of an ASCII/BMP text given as UTF-16.
std::string utf16File(std::u16string_view text) {
    std::string out = "\xFF\xFE";
    for (char16_t u : text) {
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>(u >> 8);
    }
    return out;
}

class ProfileIniTest : public ::testing::Test {
protected:
    TempDir dir{"ini"};
    std::filesystem::path file = dir / "str.ini";
};

TEST_F(ProfileIniTest, LookupFollowsThePrivateProfileRules) {
    TempDir::put(file,
                 "stray=before any section\r\n"
                 "; comment=not a key\r\n"
                 "[Skins]\r\n"
                 "  Path  =  Black Pearl  \r\n"
                 "PATH=second key of the same name\r\n"
                 "Empty=\r\n"
                 "[skins]\r\n"
                 "Lan=from the second section of the same name\r\n"
                 "[ Setting-EN ]\r\n"
                 "Item1 = Left = Click\r\n");
    const ProfileIni ini(file);
    EXPECT_EQ(ini.readString("SKINS", "path"), "Black Pearl"); // any case, trimmed, first key wins
    EXPECT_EQ(ini.readString("Skins", "Lan", "dflt"), "dflt"); // only the first section is searched
    EXPECT_EQ(ini.readString("Skins", "Empty", "dflt"), ""); // present but empty is not missing
    EXPECT_EQ(ini.readString("setting-en", "Item1"), "Left = Click"); // the first '=' splits
    EXPECT_EQ(ini.readString("", "stray", "none"), "none");
    EXPECT_EQ(ini.readString("Skins", "; comment", "none"), "none");
    EXPECT_EQ(ini.readString("Missing", "Path", "  x  "), "  x  ");
    const std::vector<std::string> expected{"Skins", "skins", "Setting-EN"};
    EXPECT_EQ(ini.sectionNames(), expected);
}

TEST_F(ProfileIniTest, QuotesAroundAValueAreDroppedAsWindowsDoes) {
    TempDir::put(file,
                 "[Skins]\r\n"
                 "Lan=\"CHS\"\r\n"
                 "Blank=  \"CHS \"  \r\n"
                 "Single='Black'\r\n"
                 "Mixed=\"Black'\r\n"
                 "Open=\"Black\r\n"
                 "One=\"\r\n"
                 "Two=\"\"\r\n"
                 "Inner=Left \"Click\"\r\n");
    const ProfileIni ini(file);
    EXPECT_EQ(ini.readString("Skins", "Lan"), "CHS");
    EXPECT_EQ(ini.readString("Skins", "Blank"), "CHS ") << "a blank inside the quotes stays";
    EXPECT_EQ(ini.readString("Skins", "Single"), "Black");
    EXPECT_EQ(ini.readString("Skins", "Mixed"), "\"Black'");
    EXPECT_EQ(ini.readString("Skins", "Open"), "\"Black");
    EXPECT_EQ(ini.readString("Skins", "One"), "\"");
    EXPECT_EQ(ini.readString("Skins", "Two"), "");
    EXPECT_EQ(ini.readString("Skins", "Inner"), "Left \"Click\"");
    EXPECT_EQ(ini.readString("Skins", "Missing", "\"dflt\""), "\"dflt\"") << "a default is returned as given";
}

TEST_F(ProfileIniTest, WritingChangesOnlyWhatItMustAndKeepsTheRestByteForByte) {
    const std::string before = "# written by hand\n"
                               "[Skins]\n"
                               "LAN = CHT ; keep\n"
                               "Path=Black\n"
                               "\n"
                               "[Setting-CHT]\n"
                               "Item1=a\n"
                               "\n"
                               "junk line without equals\n";
    TempDir::put(file, before);
    ProfileIni ini(file);
    ASSERT_TRUE(ini.writeString("skins", "path", "Blue"));
    ASSERT_TRUE(ini.writeString("Skins", "RColor", "200"));
    ASSERT_TRUE(ini.writeString("Setting-CHT", "Item2", "b"));
    ASSERT_TRUE(ini.writeString("Setting-EN", "Item1", "Left Click"));
    EXPECT_EQ(TempDir::take(file),
              "# written by hand\n"
              "[Skins]\n"
              "LAN = CHT ; keep\n"
              "Path=Blue\n"
              "RColor=200\n"
              "\n"
              "[Setting-CHT]\n"
              "Item1=a\n"
              "\n"
              "junk line without equals\n"
              "Item2=b\n"
              "[Setting-EN]\n"
              "Item1=Left Click\n");
    EXPECT_EQ(ini.readString("Skins", "Lan"), "CHT ; keep");
}

TEST_F(ProfileIniTest, NewFilesAreUtf8AndAFileWithoutFinalLineBreakGetsOneBeforeAdditions) {
    ProfileIni ini(file);
    EXPECT_FALSE(ini.exists());
    ASSERT_TRUE(ini.writeString("Setting-CHS", "Item1", "左键"));
    EXPECT_EQ(TempDir::take(file), "[Setting-CHS]\r\nItem1=左键\r\n");

    TempDir::put(file, "[A]\r\nx=1");
    ASSERT_TRUE(ini.writeString("A", "y", "2"));
    ASSERT_TRUE(ini.writeString("B", "z", "3"));
    EXPECT_EQ(TempDir::take(file), "[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n");
}

TEST_F(ProfileIniTest, Utf16FilesAreReadAndStayUtf16AndUtf8BomIsKept) {
    TempDir::put(file, utf16File(u"[Skins]\r\nPath=\u9ED1\r\n[Setting-CHT]\r\nItem1=\u5DE6\u9375\r\n"));
    ProfileIni ini(file);
    EXPECT_EQ(ini.readString("Skins", "Path"), "黑");
    EXPECT_EQ(ini.readString("setting-cht", "item1"), "左鍵");
    ASSERT_TRUE(ini.writeString("Setting-CHT", "Item2", "右鍵"));
    EXPECT_EQ(TempDir::take(file),
              utf16File(u"[Skins]\r\nPath=\u9ED1\r\n[Setting-CHT]\r\nItem1=\u5DE6\u9375\r\nItem2=\u53F3\u9375\r\n"));

    TempDir::put(file, "\xEF\xBB\xBF[Skins]\nLan=CHS\n");
    EXPECT_EQ(ini.readString("Skins", "Lan"), "CHS");
    ASSERT_TRUE(ini.writeString("Skins", "Path", "Blue"));
    EXPECT_EQ(TempDir::take(file), "\xEF\xBB\xBF[Skins]\nLan=CHS\nPath=Blue\n");
}

TEST_F(ProfileIniTest, AValueWithALineBreakCannotAddLinesToTheFile) {
    ProfileIni ini(file);
    ASSERT_TRUE(ini.writeString("Setting-EN", "Item1", "Macro\r\n[Skins]\r\nLan=CHS"));
    ASSERT_TRUE(ini.writeString("Setting-EN", "Item2", "two\nlines"));
    ASSERT_TRUE(ini.writeString("Setting-EN", "Item3", "\rstarts with a break"));
    EXPECT_EQ(TempDir::take(file), "[Setting-EN]\r\nItem1=Macro\r\nItem2=two\r\nItem3=\r\n");
    EXPECT_EQ(ini.sectionNames().size(), 1u);
    EXPECT_EQ(ini.readString("Skins", "Lan", "unset"), "unset");
}

TEST_F(ProfileIniTest, ReadsAreCutToTheBufferInUtf16Units) {
    ProfileIni ini(file);
    const std::string longLabel(1500, 'x');
    ASSERT_TRUE(ini.writeString("Setting-EN", "Item1", longLabel));
    EXPECT_EQ(ini.readString("Setting-EN", "Item1"), std::string(1023, 'x'));
    EXPECT_EQ(ini.readString("Setting-EN", "Item1", "", 5), "xxxx");
    EXPECT_EQ(ini.readString("Setting-EN", "Item1", "", 0), "");
    // Chinese characters are one unit each; a character outside the BMP is two and is never split.
    ASSERT_TRUE(ini.writeString("Setting-CHS", "Item1", "左键😀"));
    EXPECT_EQ(ini.readString("Setting-CHS", "Item1", "", 4), "左键");
    EXPECT_EQ(ini.readString("Setting-CHS", "Item1", "", 5), "左键😀");
    // The default obeys the same limit.
    EXPECT_EQ(ini.readString("None", "None", "abcdef", 4), "abc");
}

TEST_F(ProfileIniTest, SectionNamesAreCutWhereTheBufferEnds) {
    TempDir::put(file, "[Macro1]\n[Macro2]\n[LongName]\n");
    const ProfileIni ini(file);
    // 7 + 7 + 9 units with their zeros, plus the list's own zero.
    EXPECT_EQ(ini.sectionNames(24).size(), 3u);
    const std::vector<std::string> cut{"Macro1", "Macro2", "Long"};
    EXPECT_EQ(ini.sectionNames(20), cut);
    const std::vector<std::string> one{"Macro1"};
    EXPECT_EQ(ini.sectionNames(9), one);
    EXPECT_TRUE(ini.sectionNames(1).empty());
}

TEST_F(ProfileIniTest, DeletingASectionRemovesItsLinesOnly) {
    TempDir::put(file, "[Macro1]\nItemCount=1\n\n[macro2]\nItemCount=2\n[Macro1]\nItemCount=3\n");
    ProfileIni ini(file);
    ASSERT_TRUE(ini.deleteSection("MACRO1"));
    EXPECT_EQ(TempDir::take(file), "[macro2]\nItemCount=2\n[Macro1]\nItemCount=3\n");
    EXPECT_EQ(ini.readString("Macro1", "ItemCount"), "3");
    EXPECT_TRUE(ini.deleteSection("Absent"));

    ProfileIni missing(dir / "record.ini");
    EXPECT_TRUE(missing.deleteSection("Macro1"));
    EXPECT_FALSE(missing.exists());
}

TEST_F(ProfileIniTest, ReadsSeeChangesMadeByOthers) {
    ProfileIni ini(file);
    EXPECT_EQ(ini.readString("Skins", "Lan", "none"), "none");
    TempDir::put(file, "[Skins]\nLan=CHS\n");
    EXPECT_EQ(ini.readString("Skins", "Lan"), "CHS");
    ProfileIni other(file);
    ASSERT_TRUE(other.writeString("Skins", "Lan", "CHT"));
    EXPECT_EQ(ini.readString("Skins", "Lan"), "CHT");
    std::filesystem::remove(file);
    EXPECT_EQ(ini.readString("Skins", "Lan", "gone"), "gone");
}

TEST_F(ProfileIniTest, FailedWritesReportAReasonAndLoseNothing) {
    const std::string before = "[Skins]\nPath=Black\n[Setting-EN]\nItem1=x\n";
    TempDir::put(file, before);
    ProfileIni ini(file);
    for (const char* step : {"open", "write", "sync", "close", "rename"}) {
        AtomicFile::setFaultHook([step](const char* s) { return std::strcmp(s, step) == 0 ? EIO : 0; });
        EXPECT_FALSE(ini.writeString("Skins", "Path", "Blue")) << step;
        EXPECT_FALSE(ini.lastError().empty()) << step;
        EXPECT_FALSE(ini.deleteSection("Setting-EN")) << step;
        EXPECT_EQ(TempDir::take(file), before) << step;
        EXPECT_EQ(ini.readString("Skins", "Path"), "Black") << step;
    }
    AtomicFile::setFaultHook(nullptr);
    EXPECT_TRUE(ini.writeString("Skins", "Path", "Blue"));
    EXPECT_TRUE(ini.lastError().empty());

    ProfileIni nowhere(dir / "no-such-folder" / "str.ini");
    EXPECT_FALSE(nowhere.writeString("Skins", "Path", "Blue"));
    EXPECT_NE(nowhere.lastError().find("no-such-folder"), std::string::npos);
}

TEST_F(ProfileIniTest, WritingWhatTheFileAlreadyHoldsLeavesTheFileAlone) {
    const std::string before = "[Skins]\nPath = \"Black\"\n[Setting-EN]\nItem1=Left Click\nItem2=\n";
    TempDir::put(file, before);
    struct stat was {};
    ASSERT_EQ(::stat(file.c_str(), &was), 0);
    ProfileIni ini(file);
    // Every step of a write fails from here on: an unchanged save must not even try one.
    AtomicFile::setFaultHook([](const char*) { return EIO; });
    EXPECT_TRUE(ini.writeString("skins", "PATH", "Black"));
    EXPECT_TRUE(ini.writeStrings("Setting-EN", {{"Item1", "Left Click"}, {"Item2", ""}}));
    EXPECT_TRUE(ini.lastError().empty());
    // A key the section lacks, or a new value, is a change and reports the failed write.
    EXPECT_FALSE(ini.writeStrings("Setting-EN", {{"Item1", "Left Click"}, {"Item3", ""}}));
    EXPECT_FALSE(ini.writeString("Skins", "Path", "Blue"));
    AtomicFile::setFaultHook(nullptr);
    struct stat now {};
    ASSERT_EQ(::stat(file.c_str(), &now), 0);
    EXPECT_EQ(now.st_ino, was.st_ino);
    EXPECT_EQ(TempDir::take(file), before);
    // Unchanged after a failed change: the cache was dropped and the file read again.
    EXPECT_TRUE(ini.writeString("Skins", "Path", "Black"));
    EXPECT_TRUE(ini.writeString("Skins", "Path", "Blue"));
    ASSERT_EQ(::stat(file.c_str(), &now), 0);
    EXPECT_NE(now.st_ino, was.st_ino);
    EXPECT_EQ(ini.readString("Skins", "Path"), "Blue");
    // A missing file is created by any write.
    ProfileIni fresh(dir / "new.ini");
    EXPECT_TRUE(fresh.writeStrings("Setting-EN", {{"Item1", ""}}));
    EXPECT_EQ(TempDir::take(dir / "new.ini"), "[Setting-EN]\r\nItem1=\r\n");
}

TEST_F(ProfileIniTest, AFileThatCannotBeReadIsNeverReplaced) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
    TempDir::put(file, "[Skins]\nPath=Black\n");
    ::chmod(file.c_str(), 0200);
    ProfileIni ini(file);
    EXPECT_EQ(ini.readString("Skins", "Path", "unknown"), "unknown");
    EXPECT_FALSE(ini.writeString("Skins", "Lan", "CHS"));
    EXPECT_FALSE(ini.lastError().empty());
    ::chmod(file.c_str(), 0600);
    EXPECT_EQ(TempDir::take(file), "[Skins]\nPath=Black\n");
}

TEST_F(ProfileIniTest, HostileContentGivesSensibleValues) {
    ProfileIni ini(file);

    // Binary bytes, NULs and malformed UTF-8 around valid entries.
    std::string binary = std::string("\x00\x01\xFE\x80\n[Skins]\n", 13) + "Path=Bl\xC3\x28" + "ack\n";
    binary += std::string("Lan=CHS\0tail\n", 13);
    binary += "\xF0\x9F\x98\n[Setting-EN]\nItem1=ok";
    TempDir::put(file, binary);
    EXPECT_EQ(ini.readString("Skins", "Path"), "Bl\uFFFD(ack");
    EXPECT_EQ(ini.readString("Skins", "Lan"), "CHS");
    EXPECT_EQ(ini.readString("Setting-EN", "Item1"), "ok"); // no final line break
    ASSERT_TRUE(ini.writeString("Setting-EN", "Item2", "two"));
    EXPECT_EQ(TempDir::take(file), binary + "\nItem2=two\n"); // the unknown bytes stay as they were

    // A one-megabyte line.
    TempDir::put(file, "[Setting-EN]\nItem1=" + std::string(1 << 20, 'z') + "\nItem2=after\n");
    EXPECT_EQ(ini.readString("Setting-EN", "Item1").size(), 1023u);
    EXPECT_EQ(ini.readString("Setting-EN", "Item2"), "after");

    // Unpaired surrogates and an odd final byte in a UTF-16 file.
    std::string utf16 = utf16File(u"[Skins]\r\nPath=a\xD800"
                                  u"b\r\nLan=\xDC00\r\n");
    utf16 += '\x41';
    TempDir::put(file, utf16);
    EXPECT_EQ(ini.readString("Skins", "Path"), "a\uFFFDb");
    EXPECT_EQ(ini.readString("Skins", "Lan"), "\uFFFD");
    ASSERT_TRUE(ini.writeString("Skins", "RColor", "1"));
    EXPECT_EQ(ini.readString("Skins", "Path"), "a\uFFFDb");
    EXPECT_EQ(TempDir::take(file).back(), '\x41');

    // Thousands of sections.
    std::string many;
    for (int i = 0; i < 5000; ++i) {
        many += "[Macro" + std::to_string(i) + "]\nItemCount=" + std::to_string(i) + "\n";
    }
    TempDir::put(file, many);
    EXPECT_EQ(ini.readString("macro4999", "itemcount"), "4999");
    EXPECT_EQ(ini.sectionNames(1 << 20).size(), 5000u);
    EXPECT_LT(ini.sectionNames().size(), 200u);
    ASSERT_TRUE(ini.writeString("Macro2500", "ItemCount", "x"));
    EXPECT_EQ(ini.readString("Macro2500", "ItemCount"), "x");
    EXPECT_EQ(ini.readString("Macro2501", "ItemCount"), "2501");
}

} // namespace

namespace {

// UTF-16 bytes of an ASCII text, big- or little-endian, without a byte-order mark.
std::string utf16Units(std::string_view text, bool bigEndian) {
    std::string out;
    for (char c : text) {
        out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    }
    return out;
}

TEST_F(ProfileIniTest, FilesInAnEncodingThatCannotBeKeptAreReportedAndNeverWritten) {
    const std::string text = "[Skins]\r\nLan=CHS\r\n[Setting-EN]\r\nItem1=Left\r\n";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"UTF-16 big-endian", "\xFE\xFF" + utf16Units(text, true)},
        {"UTF-16 big-endian without a byte-order mark", utf16Units(text, true)},
        {"UTF-16 without a byte-order mark", utf16Units(text, false)},
    };
    for (const auto& [kind, bytes] : cases) {
        TempDir::put(file, bytes);
        ProfileIni ini(file);
        EXPECT_EQ(ini.problem(),
                  file.string() + " is in " + kind +
                      ", which this program cannot keep: it is neither read nor written");
        EXPECT_EQ(ini.readString("Setting-EN", "Item1"), "") << kind;
        EXPECT_FALSE(ini.writeString("Setting-EN", "Item1", "Right")) << kind;
        EXPECT_FALSE(ini.replaceSection("m", {{"ItemCount", "0"}})) << kind;
        EXPECT_FALSE(ini.deleteSection("Skins")) << kind;
        EXPECT_NE(ini.lastError().find("left unchanged"), std::string::npos) << ini.lastError();
        EXPECT_EQ(TempDir::take(file), bytes) << kind << ": no line in another encoding may be added";
    }
    // Binary bytes that merely start with a NUL are no UTF-16 and stay readable.
    TempDir::put(file, std::string("\x00\x01\n[Skins]\nLan=EN\n", 18));
    EXPECT_EQ(ProfileIni(file).problem(), "");
    EXPECT_EQ(ProfileIni(file).readString("Skins", "Lan"), "EN");
    // Nor is a UTF-8 file whose first byte is a NUL: it is never called UTF-16, and it is kept.
    const std::string nulFirst("\0[Skins]\nLan=CHS\n[Setting-EN]\nItem1=Left\n", 41);
    TempDir::put(file, nulFirst);
    ProfileIni utf8(file);
    EXPECT_EQ(utf8.problem().find("UTF-16"), std::string::npos) << utf8.problem();
    EXPECT_EQ(utf8.readString("Setting-EN", "Item1"), "Left");
}

TEST_F(ProfileIniTest, AFileOverTheSizeLimitSaysSoAndIsKept) {
    TempDir::put(file, "[Skins]\nPath=Black\n");
    std::filesystem::resize_file(file, 64u * 1024 * 1024 + 1); // sparse: costs no disk
    ProfileIni ini(file);
    EXPECT_EQ(ini.problem(),
              file.string() + " is larger than 64 MB, the most this program reads; it is neither read nor written");
    EXPECT_EQ(ini.readString("Skins", "Path"), "");
    EXPECT_FALSE(ini.writeString("Skins", "Path", "Blue"));
    EXPECT_EQ(std::filesystem::file_size(file), 64u * 1024 * 1024 + 1);
}

TEST_F(ProfileIniTest, AFileTheUserCannotReadIsReportedAndKept) {
    TempDir::put(file, "[Skins]\nPath=Black\n");
    ::chmod(file.c_str(), 0200);
    ::chmod(dir.path.c_str(), 0777);
    // As root every file is readable, so the check runs as the user nobody.
    const auto outcome = vexo::test::RunBounded(
        std::chrono::seconds(20),
        [&] {
            ProfileIni ini(file);
            if (ini.problem() != "cannot read " + file.string())
                return 1;
            if (ini.readString("Skins", "Path") != "")
                return 2;
            return ini.writeString("Skins", "Lan", "CHS") ? 3 : 0;
        },
        /*asRoot=*/false);
    ASSERT_FALSE(outcome.timedOut());
    EXPECT_EQ(outcome.status, 0) << "1: not reported, 2: read anyway, 3: replaced, 99: cannot drop privileges";
    ::chmod(file.c_str(), 0600);
    EXPECT_EQ(TempDir::take(file), "[Skins]\nPath=Black\n");
}

} // namespace

namespace {

TEST_F(ProfileIniTest, SectionsAreFoundAfterEveryKindOfLineBreakAndOnlyAtALineStart) {
    // Lone CR, LF and CRLF mixed; headers indented; '[' inside a line is no header.
    const std::string before = "[A]\rx=1\r"
                               "y=[B]\n"
                               "  not [B] either\r\n"
                               " \t[ B ]  trailing\r"
                               "k=b\r"
                               "\t[C]\n"
                               "k=c";
    TempDir::put(file, before);
    ProfileIni ini(file);
    EXPECT_EQ(ini.readString("a", "y"), "[B]");
    EXPECT_EQ(ini.readString("b", "k"), "b");
    EXPECT_EQ(ini.readString("C", "k"), "c");
    EXPECT_EQ(ini.sectionCount(), 3u);
    // A key added to a middle section lands before the next header, whatever its line break.
    ASSERT_TRUE(ini.writeString("B", "n", "2"));
    EXPECT_EQ(TempDir::take(file), "[A]\rx=1\ry=[B]\n  not [B] either\r\n \t[ B ]  trailing\rk=b\rn=2\r\t[C]\nk=c");
    EXPECT_EQ(ini.readString("C", "k"), "c");
    EXPECT_EQ(ini.readString("B", "n"), "2");

    // Names beyond ASCII, and bytes that are no UTF-8, are compared as the text they read as.
    TempDir::put(file, "[Skins\xFF]\nk=bad\n[ \xC3\x9Cmlaut ]\nk=u\n[Sk\xFF]\nk=fffd\n[SKINS]\nk=skins\n");
    ProfileIni other(file);
    EXPECT_EQ(other.readString("Skins", "k"), "skins");
    EXPECT_EQ(other.readString("\xC3\x9Cmlaut", "k"), "u");
    EXPECT_EQ(other.readString("sk\uFFFD", "k"), "fffd");
    EXPECT_EQ(other.readString("Skins\uFFFD", "k"), "bad");
}

TEST_F(ProfileIniTest, AnswersOfEarlierSearchesNeverOutliveAnEdit) {
    std::string text;
    for (int i = 0; i < 12; ++i) {
        text += "[S" + std::to_string(i) + "]\nv=" + std::to_string(i) + "\n";
    }
    TempDir::put(file, text);
    ProfileIni ini(file);
    // More names than are remembered, some missing, each asked twice.
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 14; ++i) {
            EXPECT_EQ(ini.readString("s" + std::to_string(i), "v", "none"), i < 12 ? std::to_string(i) : "none");
        }
    }
    // Once a missing section is added it is found; a removed one is gone; sections after an edit
    // that moved them keep their values.
    ASSERT_TRUE(ini.writeString("S13", "v", "13"));
    EXPECT_EQ(ini.readString("S13", "v", "none"), "13");
    ASSERT_TRUE(ini.deleteSection("S0"));
    EXPECT_EQ(ini.readString("S0", "v", "none"), "none");
    EXPECT_EQ(ini.readString("S1", "v", "none"), "1");
    ASSERT_TRUE(ini.writeStrings("S5", {{"v", "a much longer value than before"}, {"w", "new"}}));
    EXPECT_EQ(ini.readString("S6", "v"), "6");
    EXPECT_EQ(ini.readString("S5", "w"), "new");
    ASSERT_TRUE(ini.replaceSection("S2", {{"v", "moved"}}));
    EXPECT_EQ(ini.readString("S2", "v"), "moved");
    EXPECT_EQ(ini.readString("S3", "v"), "3");
    EXPECT_EQ(ini.sectionCount(), 12u);
}

TEST_F(ProfileIniTest, FilesOfAnySizeUpToTheLimitAreReadWhole) {
    // Lines across every boundary at which a read may split the file, and the last line far out.
    std::string text = "[Skins]\nLan=EN\n";
    for (int i = 0; text.size() < 700 * 1024; ++i) {
        text += "[P" + std::to_string(i) + "]\nv=" + std::string(static_cast<std::size_t>(i % 97), 'x') + "\n";
    }
    text += "[Last]\nv=end";
    TempDir::put(file, text);
    ProfileIni ini(file);
    EXPECT_EQ(ini.readString("last", "v"), "end");
    EXPECT_EQ(ini.readString("P96", "v"), std::string(96, 'x'));
    ASSERT_TRUE(ini.writeString("Skins", "Lan", "CHS"));
    text.replace(text.find("Lan=EN"), 6, "Lan=CHS");
    EXPECT_EQ(TempDir::take(file), text);

    // Exactly at the limit is still read (sparse: the tail is NULs, part of the last value).
    TempDir::put(file, "[Skins]\nPath=Black\n[Tail]\nv=");
    std::filesystem::resize_file(file, 64u * 1024 * 1024);
    ProfileIni limit(file);
    EXPECT_EQ(limit.problem(), "");
    EXPECT_EQ(limit.readString("Skins", "Path"), "Black");
}

} // namespace
