// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// vexoctl export / import / profile as users run them: exact round trips and refusals that change
// no file.
#include <gtest/gtest.h>

#include <random>

#include "config/ini_settings.h"
#include "config/profile_ini.h"
#include "config/ui_texts.h"
#include "config/temp_dir.h"
#include "macro/macro_store.h"
#include "support/tool_run.h"

using vexo::test::TempDir;

namespace {

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

class VexoctlProfileTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const TempDir* d : {&a, &b})
            for (const char* name : {"config.bin", "str.ini"})
                std::filesystem::copy_file(std::filesystem::path(VEXO_SOURCE_DIR) / "data" / name, d->path / name);
    }
    vexo::test::ToolRun run(const TempDir& data, const std::string& arguments) {
        return vexo::test::RunTool("XDG_CONFIG_HOME=" + Quote(config.path.string()) + " " +
                                       std::string(VEXO_PROGRAM_DIR) + "/vexoctl --data " + Quote(data.path.string()) +
                                       " " + arguments,
                                   config / "stderr.txt");
    }
    static std::string files(const TempDir& d) {
        std::string all;
        for (const char* name : {"config.bin", "str.ini", "record.ini"})
            all += TempDir::take(d / name) + "\n--\n";
        return all;
    }
    TempDir a{"profile-a"};
    TempDir b{"profile-b"};
    TempDir config{"profile-config"};
};

std::string RandomText(std::mt19937& rng, std::size_t min, std::size_t max) {
    static const std::vector<std::string> pieces{"a", "Q", "7", " ", "\"", "\\", "é", "中", "😀", "/", "+", "-"};
    std::string text;
    for (std::size_t n = min + rng() % (max - min + 1); n > 0; --n)
        text += pieces[rng() % pieces.size()];
    // INI values lose blanks at either end and enclosing quotes when read; no program can carry those.
    while (!text.empty() && (text.front() == ' ' || text.front() == '"'))
        text.erase(0, 1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '"'))
        text.pop_back();
    if (text.empty() && min > 0)
        text = "x";
    return text;
}

TEST_F(VexoctlProfileTest, ExportThenImportGivesBackTheFilesByteForByte) {
    std::mt19937 rng(58);
    for (int round = 0; round < 300; ++round) {
        std::string bin(2042, '\0');
        for (char& byte : bin)
            byte = static_cast<char>(rng());
        TempDir::put(a / "config.bin", bin);
        // The labels and language as the window writes them.
        const std::vector<std::string> languages{"EN", "CHS", "CHT"};
        const std::string language = languages[rng() % 3];
        ASSERT_TRUE(vexo::ProfileIni(a / "str.ini").writeString("Skins", "Lan", language));
        vexo::IniSettings settings;
        settings.m_strStrIniPath = a / "str.ini";
        settings.m_strSettingSection = vexo::SelectTexts(language).m_strSettingSection;
        for (auto* labels : {&settings.m_strButtonLabelA, &settings.m_strButtonLabelB})
            for (std::string& label : *labels)
                label = RandomText(rng, 0, 8);
        ASSERT_TRUE(settings.SaveButtonLabels());
        std::filesystem::remove(a / "record.ini");
        {
            vexo::ProfileIni store(a / "record.ini");
            for (std::size_t m = rng() % 11; m > 0; --m) {
                std::vector<std::string> lines;
                for (std::size_t l = rng() % 12; l > 0; --l)
                    lines.push_back(RandomText(rng, 1, 20));
                const std::string name = "M" + std::to_string(m) + "x" + std::to_string(rng() % 1000);
                ASSERT_TRUE(vexo::SaveMacro(store, name, std::to_string(rng() % 100), lines).ok);
            }
        }
        if (!std::filesystem::exists(a / "record.ini"))
            TempDir::put(a / "record.ini", "");
        const auto exported = run(a, "export " + Quote((config / "p.json").string()));
        ASSERT_EQ(exported.status, 0) << round << TempDir::take(config / "stderr.txt");
        const auto imported = run(b, "import " + Quote((config / "p.json").string()));
        ASSERT_EQ(imported.status, 0) << round << TempDir::take(config / "stderr.txt");
        ASSERT_EQ(files(b), files(a)) << "round " << round;
    }
}

TEST_F(VexoctlProfileTest, BadDocumentsChangeNothingAndNameTheField) {
    ASSERT_EQ(run(a, "export " + Quote((config / "good.json").string())).status, 0);
    const std::string good = TempDir::take(config / "good.json");
    const std::string before = files(b);
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        const auto at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    };
    struct Case {
        std::string text;
        std::string mentions;
    };
    for (const Case& c : std::vector<Case>{
             {"{\"format\": ", "not a valid JSON document"},
             {replaced("\"version\": 1", "\"version\": 7"), "version"},
             {replaced("\"skin\"", "\"future\": true, \"skin\""), "future: unknown field"},
             {replaced("\"macros\": []", "\"macros\": [{\"name\": \"a]b\", \"loopTimes\": \"1\", \"lines\": []}]"),
              "macros[0].name"},
             {replaced("\"firstRunFlag\": 0", "\"firstRunFlag\": -1"), "firstRunFlag"},
             {"[" + std::string(9 * 1024 * 1024, ' ') + "]", "larger than"},
         }) {
        TempDir::put(config / "bad.json", c.text);
        const auto r = run(b, "import " + Quote((config / "bad.json").string()));
        EXPECT_EQ(r.status, 64) << c.mentions;
        const std::string err = TempDir::take(config / "stderr.txt");
        EXPECT_NE(err.find(c.mentions), std::string::npos) << err;
        EXPECT_EQ(files(b), before) << c.mentions;
    }
    EXPECT_EQ(run(b, "export " + Quote((b / "config.bin").string())).status, 64) << "a data file is no export target";
    EXPECT_EQ(files(b), before);
}

TEST_F(VexoctlProfileTest, NamedProfilesAreSavedListedLoadedAndDeleted) {
    ASSERT_EQ(run(a, "set --no-apply report-rate=250 button.2.a=single-key:B").status, 0);
    ASSERT_EQ(run(a, "profile save Game").status, 0);
    ASSERT_EQ(run(a, "set --no-apply report-rate=500").status, 0);
    ASSERT_EQ(run(a, "profile save 'Left hand'").status, 0);
    EXPECT_EQ(run(a, "profile list").out, "Game\nLeft hand\n");
    EXPECT_TRUE(std::filesystem::is_regular_file(config / "vexo-t58/profiles/Game.json"));
    const auto loaded = run(b, "profile load --no-apply Game");
    ASSERT_EQ(loaded.status, 0) << TempDir::take(config / "stderr.txt");
    EXPECT_EQ(run(b, "get report-rate button.2.a").out, "report-rate=250\nbutton.2.a=single-key:B\n");
    // With the mouse there, load also sends the setup to it.
    const auto sent =
        vexo::test::RunTool("XDG_CONFIG_HOME=" + Quote(config.path.string()) + " " + std::string(VEXO_PROGRAM_DIR) +
                                "/vexoctl --simulate=3 --data " + Quote(b.path.string()) + " --trace " +
                                Quote((config / "trace.txt").string()) + " profile load 'Left hand'",
                            config / "stderr.txt");
    ASSERT_EQ(sent.status, 0) << TempDir::take(config / "stderr.txt");
    EXPECT_NE(sent.out.find("sent to the mouse"), std::string::npos);
    EXPECT_NE(TempDir::take(config / "trace.txt").find("OUT"), std::string::npos);
    EXPECT_EQ(run(b, "get report-rate").out, "report-rate=500\n");
    ASSERT_EQ(run(a, "profile delete Game").status, 0);
    EXPECT_EQ(run(a, "profile list").out, "Left hand\n");
    EXPECT_EQ(run(a, "profile load Game").status, 1);

    const std::string before = files(a);
    for (const std::string& name :
         std::vector<std::string>{"a/b", "..", "x..y", ".hidden", "tab\there", "-x", std::string(101, 'n')}) {
        EXPECT_EQ(run(a, "profile save " + Quote(name)).status, 64) << name;
        EXPECT_EQ(run(a, "profile load " + Quote(name)).status, 64) << name;
    }
    EXPECT_EQ(files(a), before);
    EXPECT_EQ(run(a, "profile list").out, "Left hand\n");
}

} // namespace
