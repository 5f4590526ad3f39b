// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <sstream>

#include "config/temp_dir.h"
#include "support/tool_run.h"

using vexo::test::TempDir;

namespace {

using Result = vexo::test::ToolRun;

// Runs the built vexoctl as a user would; standard error is dropped.
Result run(const std::string& arguments) {
    return vexo::test::RunTool(std::string(VEXO_PROGRAM_DIR) + "/vexoctl " + arguments);
}

class VexoctlConfigTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"config.bin", "str.ini"})
            std::filesystem::copy_file(std::filesystem::path(VEXO_SOURCE_DIR) / "data" / name, dir / name);
    }
    std::string data() const { return "--data " + dir.path.string() + " "; }
    TempDir dir{"vexoctl"};
};

TEST_F(VexoctlConfigTest, BlocksPrintsEveryBlockInTheStableFormat) {
    const Result r = run(data() + "blocks --sensor 3");
    ASSERT_EQ(r.status, 0);
    std::istringstream lines(r.out);
    std::vector<std::pair<std::string, std::vector<std::string>>> blocks;
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string name, byte;
        words >> name;
        std::vector<std::string> bytes;
        while (words >> byte) {
            EXPECT_EQ(byte.size(), 2u) << line;
            EXPECT_EQ(byte.find_first_not_of("0123456789ABCDEF"), std::string::npos) << line;
            bytes.push_back(byte);
        }
        EXPECT_EQ(line.find("  "), std::string::npos) << "single spaces only: " << line;
        blocks.emplace_back(name, bytes);
    }
    ASSERT_EQ(blocks.size(), 16u);
    EXPECT_EQ(blocks[0], (std::pair<std::string, std::vector<std::string>>{"rate", {"01"}}));
    EXPECT_EQ(blocks[1].first, "dpi");
    EXPECT_EQ(blocks[1].second, (std::vector<std::string>{"04", "09", "0F", "13", "97", "9D", "9F", "A2"}));
    for (int m = 1; m <= 4; ++m) {
        EXPECT_EQ(blocks[1 + m].first, "matrix" + std::to_string(m));
        EXPECT_EQ(blocks[1 + m].second.size(), 64u);
    }
    EXPECT_EQ(blocks[2].second[8 * 4 + 0], "08") << "position 8 of matrix 1 is RGB on/off";
    for (int m = 1; m <= 10; ++m) {
        EXPECT_EQ(blocks[5 + m].first, "macro" + std::to_string(m));
        EXPECT_EQ(blocks[5 + m].second.size(), 128u);
    }
}

TEST_F(VexoctlConfigTest, WithoutSensorOptionTheMouseTellsItsType) {
    const Result r = run("--simulate=1 " + data() + "blocks");
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("dpi 02 04 06 08 89 8A 8B 8C\n"), std::string::npos) << r.out;
}

TEST_F(VexoctlConfigTest, ShowDecodesButtonsStagesAndLabels) {
    const Result text = run(data() + "show --sensor 3");
    ASSERT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("report rate: 1000 Hz"), std::string::npos);
    EXPECT_NE(text.out.find("6  DPI Switch dpiFunction=DPI +  entry 07 00 01 00  label \"DPI +\""), std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("1  on   row 1  500 DPI  colour #FF0000"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("desktop: enhance precision 0, scroll one screen 0, pointer speed row 6, wheel lines 3"),
              std::string::npos);

    const Result json = run(data() + "show --json --sensor 2");
    ASSERT_EQ(json.status, 0);
    EXPECT_EQ(json.out.front(), '{');
    EXPECT_NE(json.out.find("\"function\": \"Single Key\", \"parameters\": {\"key\": 25}"), std::string::npos);
    EXPECT_NE(json.out.find("{\"stage\": 2, \"enabled\": true, \"row\": 3, \"dpi\": 500"), std::string::npos);
    EXPECT_NE(json.out.find("\"label\": \"Single Key-V\""), std::string::npos);
}

TEST_F(VexoctlConfigTest, ApplySendsAndSavesOnlyWithAMouse) {
    const std::string before = TempDir::take(dir / "config.bin");
    const std::string iniBefore = TempDir::take(dir / "str.ini");
    // No mouse on the machine's bus: status 2, nothing written.
    if (run("info").status == 2) {
        EXPECT_EQ(run(data() + "apply").status, 2);
        EXPECT_EQ(TempDir::take(dir / "config.bin"), before);
        EXPECT_EQ(TempDir::take(dir / "str.ini"), iniBefore);
    }
    const Result applied = run("--simulate " + data() + "apply");
    EXPECT_EQ(applied.status, 0);
    const std::string after = TempDir::take(dir / "config.bin");
    ASSERT_EQ(after.size(), 2042u);
    EXPECT_EQ(after[0], '\1');
    EXPECT_EQ(after.substr(1), before.substr(1));
}

TEST_F(VexoctlConfigTest, BadFilesGiveAClearFailureNeverACrash) {
    TempDir::put(dir / "config.bin", std::string(2041, '\0'));
    EXPECT_EQ(run(data() + "show --sensor 0").status, 1);
    EXPECT_EQ(run(data() + "blocks --sensor 0").status, 1);
    EXPECT_EQ(run("--simulate " + data() + "apply").status, 1);
    std::filesystem::remove(dir / "config.bin");
    EXPECT_EQ(run(data() + "show").status, 1);
    EXPECT_EQ(run("--data " + (dir / "nowhere").string() + " blocks --sensor 1").status, 1);
    TempDir::put(dir / "config.bin", std::string(2042, '\xFF')); // every field out of range
    TempDir::put(dir / "str.ini", std::string("\xFF\xFE\x00\xD8[", 5));
    const Result odd = run(data() + "show --json --sensor 3");
    EXPECT_EQ(odd.status, 0);
    EXPECT_NE(odd.out.find("\"function\": \"invalid (255)\""), std::string::npos);
    EXPECT_EQ(run(data() + "blocks --sensor 9").status, 64);
    EXPECT_EQ(run(data() + "show --colour").status, 64);
}

} // namespace
