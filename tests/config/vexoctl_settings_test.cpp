// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// vexoctl get / set as scripts use them: values read back, refusals change no file.
#include <gtest/gtest.h>

#include <sstream>
#include <sys/stat.h>

#include "config/temp_dir.h"
#include "support/tool_run.h"

using vexo::test::TempDir;

namespace {

class VexoctlSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"config.bin", "str.ini"})
            std::filesystem::copy_file(std::filesystem::path(VEXO_SOURCE_DIR) / "data" / name, dir / name);
        TempDir::put(dir / "record.ini",
                     "[Reload]\nMacroLoopTimes=1\nItemCount=0\n[Jump]\nMacroLoopTimes=1\nItemCount=0\n");
    }
    vexo::test::ToolRun run(const std::string& arguments) {
        return vexo::test::RunTool(std::string(VEXO_PROGRAM_DIR) + "/vexoctl --data " + dir.path.string() + " " +
                                       arguments,
                                   dir / "stderr.txt");
    }
    std::string files() const {
        std::string all;
        for (const char* name : {"config.bin", "str.ini", "record.ini"})
            all += TempDir::take(dir / name) + "\n--\n";
        return all;
    }
    TempDir dir{"vexoctl-settings"};
};

TEST_F(VexoctlSettingsTest, SetValuesReadBackThroughGetAndGetFeedsSet) {
    const std::vector<std::string> values{"button.2.a=single-key:B",
                                          "button.8.b=combo-key:Left Ctrl+Shift+Z",
                                          "button.5.a=macro:Jump/until-released",
                                          "dpi.3=1600",
                                          "dpi.3.enabled=yes",
                                          "dpi.3.colour=#ff5500",
                                          "report-rate=500",
                                          "lighting.mode=neon",
                                          "pointer.wheel=7",
                                          "skin=Red",
                                          "language=chs",
                                          "label.12.a=Twelve"};
    std::string args = "set --no-apply --sensor 3";
    for (const std::string& v : values)
        args += " '" + v + "'";
    const auto set = run(args);
    ASSERT_EQ(set.status, 0) << set.err;
    std::string names;
    for (const std::string& v : values)
        names += " " + v.substr(0, v.find('='));
    const auto got = run("get --sensor 3" + names);
    ASSERT_EQ(got.status, 0) << got.err;
    std::string expected;
    for (const std::string& v : values)
        expected += v + "\n";
    EXPECT_EQ(got.out, expected);
    // The labels follow the functions in the language now in effect, as the window writes them.
    EXPECT_EQ(run("get label.2.a").out, "label.2.a=单键-B\n");

    // Everything get prints is accepted by set and changes nothing.
    const auto all = run("get --sensor 3");
    ASSERT_EQ(all.status, 0);
    const std::string before = files();
    std::istringstream lines(all.out);
    std::string line, back = "set --no-apply --sensor 3";
    int count = 0;
    while (std::getline(lines, line)) {
        back += " '" + line + "'";
        ++count;
    }
    EXPECT_EQ(count, 78) << "every name once";
    const auto again = run(back);
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(files(), before);
}

TEST_F(VexoctlSettingsTest, RefusalsListWhatIsAllowedAndChangeNoFile) {
    const std::string before = files();
    struct Case {
        std::string args;
        std::string mentions;
    };
    for (const Case& c : std::vector<Case>{
             {"set --no-apply report-rate=125 dpi.9=800", "dpi.N"},
             {"set --no-apply report-rate=125 report-rate=300", "125, 250, 500, 1000"},
             {"set --no-apply button.1.a=macro:Nope", "Reload, Jump"},
             {"set --no-apply report-rate", "NAME=VALUE"},
             {"set --no-apply", "at least one"},
             {"get colour", "names are"},
         }) {
        const auto r = run(c.args);
        EXPECT_EQ(r.status, 64) << c.args;
        EXPECT_NE(r.err.find(c.mentions), std::string::npos) << c.args << ": " << r.err;
        EXPECT_EQ(files(), before) << c.args;
    }
}

TEST_F(VexoctlSettingsTest, SetWithTheMouseSendsWhatChangedAndSaves) {
    struct stat labels {};
    ASSERT_EQ(::stat((dir / "str.ini").c_str(), &labels), 0);
    const auto r =
        vexo::test::RunTool(std::string(VEXO_PROGRAM_DIR) + "/vexoctl --simulate=3 --data " + dir.path.string() +
                                " --trace " + (dir / "trace.txt").string() + " set dpi.2=800",
                            dir / "stderr.txt");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("sent to the mouse"), std::string::npos);
    // The DPI block alone goes out: one block report, nothing of the rest of the configuration.
    const std::string trace = TempDir::take(dir / "trace.txt");
    EXPECT_NE(trace.find("SET 11 80 08"), std::string::npos) << trace;
    for (const char* other : {"SET 01", "SET 0D", "SET 07", "SET 10", "SET 12", "SET 13"})
        EXPECT_EQ(trace.find(other), std::string::npos) << other << " in\n" << trace;
    std::size_t reports = 0;
    for (std::size_t at = trace.find("\nOUT"); at != std::string::npos; at = trace.find("\nOUT", at + 1))
        ++reports;
    EXPECT_EQ(reports, 1u) << trace;
    EXPECT_EQ(run("get --sensor 3 dpi.2").out, "dpi.2=800\n");
    // No label changed: str.ini is not rewritten (a large one would cost a whole rewrite).
    struct stat after {};
    ASSERT_EQ(::stat((dir / "str.ini").c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, labels.st_ino);
    // A function change brings its label, and that is written.
    ASSERT_EQ(run("set --no-apply button.8.a=single-key:B").status, 0);
    ASSERT_EQ(::stat((dir / "str.ini").c_str(), &after), 0);
    EXPECT_NE(after.st_ino, labels.st_ino);
}

} // namespace
