// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "config/temp_dir.h"
#include "macro_test_support.h"
#include "support/tool_run.h"

namespace vexo {
namespace {

using test::Section;
using test::TempDir;
using test::ToolRun;

constexpr std::size_t kConfigBinSize = 2042;
constexpr std::size_t kMacroAreaInFile = 1 + 384; // after the first-run flag

class VexoctlMacroTest : public ::testing::Test {
protected:
    ToolRun vexoctl(const std::string& arguments) {
        return test::RunTool(test::VexoctlProgram() + " --data '" + dir_.path.string() + "' " + arguments,
                             dir_ / "stderr.txt");
    }
    // A config.bin whose every record byte is 0x11, so changes show.
    std::string configBin(std::size_t size = kConfigBinSize) {
        std::string bytes(size, '\x11');
        bytes[0] = 0;
        TempDir::put(dir_ / "config.bin", bytes);
        return bytes;
    }

    TempDir dir_{"vexoctl-macro"};
};

TEST_F(VexoctlMacroTest, EncodeMacrosRewritesOnlyTheListedBlocksAndPrintsAllTen) {
    const std::string before = configBin();
    std::vector<std::string> long_lines = test::Events(64, 10, "Num Enter");
    TempDir::put(dir_ / "record.ini",
                 Section("Hello", "3", {"A   Dn", "50 ms", "A   Up"}) + Section("Long", "2", long_lines));
    const ToolRun run = vexoctl("encode-macros");
    ASSERT_EQ(run.status, 0) << run.err;

    const std::string expectedFirst = "macro1 00 03 05 04 80 04" + [] {
        std::string rest;
        for (int i = 6; i < 128; ++i)
            rest += " 00";
        return rest;
    }();
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), expectedFirst);
    EXPECT_NE(run.out.find("\nmacro3 11 11 11"), std::string::npos);
    EXPECT_NE(run.out.find("\nmacro10 11 11"), std::string::npos);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 10);
    EXPECT_NE(run.err.find("macro2 \"Long\": 1 event"), std::string::npos) << run.err;

    const std::string after = TempDir::take(dir_ / "config.bin");
    ASSERT_EQ(after.size(), kConfigBinSize);
    EXPECT_EQ(after[0], 1); // saved, so no longer a first run
    EXPECT_EQ(after.substr(kMacroAreaInFile + 2 * 128), before.substr(kMacroAreaInFile + 2 * 128));
    EXPECT_EQ(after.substr(1, 384), before.substr(1, 384));
    EXPECT_EQ(after.substr(kMacroAreaInFile, 6), std::string("\x00\x03\x05\x04\x80\x04", 6));
}

TEST_F(VexoctlMacroTest, EveryMacroLeftOutIsCountedOnce) {
    configBin();
    // Names of 21 characters: the list reads 11 of the 14 (255 characters), the mouse takes 10.
    std::string sections;
    for (int i = 0; i < 14; ++i)
        sections += Section("macro-name-number-" + std::to_string(100 + i), "1", {"A   Dn"});
    TempDir::put(dir_ / "record.ini", sections);
    const ToolRun run = vexoctl("encode-macros");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("1 more section(s) of record.ini were not encoded"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("warning: 3 section(s) of record.ini have names that do not fit"), std::string::npos)
        << run.err;
}

TEST_F(VexoctlMacroTest, BadFilesGiveAMessageAndLeaveConfigBinAlone) {
    // No record.ini.
    std::string before = configBin();
    ToolRun run = vexoctl("encode-macros");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("record.ini"), std::string::npos) << run.err;
    EXPECT_EQ(TempDir::take(dir_ / "config.bin"), before);

    // A config.bin of another size.
    TempDir::put(dir_ / "record.ini", Section("m", "1", {"A   Dn"}));
    before = configBin(100);
    run = vexoctl("encode-macros");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("2042"), std::string::npos) << run.err;
    EXPECT_EQ(TempDir::take(dir_ / "config.bin"), before);

    // No config.bin at all: nothing is created.
    std::filesystem::remove(dir_ / "config.bin");
    run = vexoctl("encode-macros");
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "config.bin"));

    // record.ini is a folder.
    configBin();
    std::filesystem::remove(dir_ / "record.ini");
    std::filesystem::create_directory(dir_ / "record.ini");
    EXPECT_EQ(vexoctl("encode-macros").status, 1);
    EXPECT_EQ(vexoctl("macros").status, 1);
    EXPECT_EQ(vexoctl("macros extra").status, 64);
}

TEST_F(VexoctlMacroTest, MacrosListsSlotsLoopTimesAndLines) {
    TempDir::put(dir_ / "record.ini", Section("Hello", "3", {"A   Dn", "50 ms", "A   Up"}) + Section("宏", "0", {}));
    const ToolRun run = vexoctl("macros");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "macro1 \"Hello\" loop 3 lines 3\n"
              "  A   Dn\n"
              "  50 ms\n"
              "  A   Up\n"
              "macro2 \"宏\" loop 1 lines 0\n");
}

} // namespace
} // namespace vexo
