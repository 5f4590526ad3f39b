// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The utility's command line as users type it: help and mistakes answered without a window system,
// --data and --trace on a real run of the program.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <chrono>
#include <filesystem>
#include <unistd.h>
#include <fstream>
#include <regex>
#include <sstream>

#include "app/app_options.h"
#include "support/tool_run.h"

namespace vexo {
namespace {

std::string Vexo() {
    const char* build = std::getenv("VEXO_BUILD_DIR");
    // Without a display and without a platform: what needs no window must not need one.
    return "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 60 " + std::string(build ? build : ".") +
        "/bin/vexo";
}

std::string Slurp(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(AppOptionsTest, DataTraceAndMistakes) {
    std::string error;
    auto parse = [&](std::vector<std::string> args) { return AppOptions::parse(args, error); };
    EXPECT_EQ(parse({"--data", "/x", "--trace=t.txt"})->dataDir, "/x");
    EXPECT_EQ(parse({"--data=/y", "--trace", "t.txt"})->traceFile, "t.txt");
    EXPECT_FALSE(parse({"--data"}));
    EXPECT_EQ(error, "--data needs a value");
    EXPECT_FALSE(parse({"--data="}));
    EXPECT_FALSE(parse({"--trace", ""}));
    EXPECT_FALSE(parse({"--simulat"}));
    EXPECT_EQ(error, "unknown option \"--simulat\"");
    EXPECT_FALSE(parse({"stray"}));
    EXPECT_EQ(parse({"--quit-after-start", "--start-cost", "c.txt"})->startCostFile, "c.txt");
    EXPECT_FALSE(parse({"--start-cost=c.txt"}));
    EXPECT_EQ(error, "--start-cost needs --quit-after-start");
    EXPECT_FALSE(parse({"--quit-after-start", "--start-cost="}));
    // Qt's own options, as Qt reads them, are not ours to refuse.
    EXPECT_EQ(AppOptions::withoutQtOptions(
                  {"-platform", "offscreen", "--show", "--style=fusion", "-reverse", "-display", ":1", "--data", "d"}),
              (std::vector<std::string>{"--show", "--data", "d"}));
    // Every option has its line in the help.
    const std::string help = AppOptions::helpText();
    for (const char* option : {"--simulate", "--simulate-unplugged", "--simulate-notices", "--show", "--page", "--data",
                               "--trace", "--screenshot", "--quit-after-start", "--start-cost", "--help", "--version"})
        EXPECT_NE(help.find(std::string("\n  ") + option), std::string::npos) << option;
}

TEST(VexoCommandLineTest, HelpAndMistakesNeedNoWindowSystem) {
    QTemporaryDir dir;
    const std::filesystem::path err = dir.path().toStdString() + "/err";
    const test::ToolRun help = test::RunTool(Vexo() + " --help", err);
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--trace FILE"), std::string::npos);
    const test::ToolRun wrong = test::RunTool(Vexo() + " --simulate --frobnicate", err);
    EXPECT_EQ(wrong.status, 64);
    EXPECT_EQ(wrong.out, "");
    EXPECT_NE(wrong.err.find("unknown option \"--frobnicate\""), std::string::npos);
    EXPECT_EQ(test::RunTool(Vexo() + " --version").out.rfind("vexo ", 0), 0u);
}

TEST(VexoCommandLineTest, AStartLoadsNoLibraryItDoesNotUse) {
    // GIO and the libraries it needs cost a start at login more than anything else; only the
    // desktop pointer settings use it, and they load it themselves when first used. libwayland-client
    // (with libffi) is for Wayland sessions only, where Qt has loaded it already.
    QTemporaryDir dir;
    const std::filesystem::path err = dir.path().toStdString() + "/err";
    const auto unused = [](const std::string& report) {
        for (const char* library : {"libgio-2.0.so", "libgobject-2.0.so", "libwayland-client.so", "libffi.so"})
            EXPECT_EQ(report.find(library), std::string::npos) << library;
    };
    const test::ToolRun version = test::RunTool("LD_DEBUG=files " + Vexo() + " --version", err);
    EXPECT_EQ(version.status, 0);
    ASSERT_NE(version.err.find("libQt6Core.so"), std::string::npos) << "the loader's report is not there";
    unused(version.err);
    // A whole start, the libraries Qt's plug-ins load included.
    const test::ToolRun start =
        test::RunTool("LD_DEBUG=files " + Vexo() + " -platform offscreen --simulate --quit-after-start --data " +
                          dir.path().toStdString(),
                      err);
    EXPECT_EQ(start.status, 0) << start.err.substr(0, 2000);
    ASSERT_NE(start.err.find("libqoffscreen.so"), std::string::npos) << "the platform plug-in is not in the report";
    unused(start.err);
}

TEST(VexoCommandLineTest, DataFolderAndTraceOfARealRun) {
    QTemporaryDir dir;
    const std::filesystem::path data = dir.path().toStdString();
    const std::filesystem::path bin = std::filesystem::path(std::getenv("VEXO_BUILD_DIR")) / "bin";
    // A first run in the data folder: the first showing writes the default labels there.
    std::filesystem::copy_file(bin / "config.bin", data / "config.bin");
    std::ofstream(data / "str.ini") << "[Skins]\nLan=EN\nPath=Black\n";
    const std::string config = Slurp(data / "config.bin");
    const test::ToolRun run = test::RunTool(Vexo() + " -platform offscreen --simulate --data '" + data.string() +
                                            "' --trace '" + (data / "trace.txt").string() + "' --quit-after-start");
    ASSERT_EQ(run.status, 0);
    EXPECT_NE(Slurp(data / "str.ini").find("Item1=Left Click"), std::string::npos);
    const std::string trace = Slurp(data / "trace.txt");
    std::istringstream lines(trace);
    // Exchanges and pauses, and the notices the program showed.
    const std::regex format("(SET|GET|OUT|IN)( [0-9A-F]{2})+|PAUSE [0-9]+|NOTICE .+");
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count)
        EXPECT_TRUE(std::regex_match(line, format)) << line;
    EXPECT_GT(count, 5);
    EXPECT_EQ(trace.rfind("SET ", 0), 0u) << "the handshake comes first";

    // A trace that would overwrite a data file is refused before anything is written.
    const test::ToolRun refused =
        test::RunTool(Vexo() + " -platform offscreen --simulate --data '" + data.string() + "' --trace '" +
                      (data / "config.bin").string() + "' --quit-after-start");
    EXPECT_EQ(refused.status, 64) << "a usage mistake, as in vexoctl";
    EXPECT_EQ(Slurp(data / "config.bin"), config);
    EXPECT_EQ(test::RunTool(Vexo() + " --data '" + (data / "nothing").string() + "'").status, 64);
}

TEST(VexoCommandLineTest, AnAnswerThatCannotBeWrittenSaysWhy) {
    for (const std::string option : {"--version", "--help"}) {
        QTemporaryDir dir;
        const test::ToolRun run =
            test::RunTool(Vexo() + " " + option + " >&-", std::filesystem::path(dir.path().toStdString()) / "err");
        EXPECT_EQ(run.status, 1) << option;
        EXPECT_NE(run.err.find("vexo: cannot write the output: Bad file descriptor"), std::string::npos) << run.err;
    }
}

// The same rule as vexoctl's: a link is followed only to a file of our own user, and another user's
// file is never emptied.
TEST(VexoCommandLineTest, ATraceNeverEmptiesAnotherUsersFileOrFollowsADanglingLink) {
    QTemporaryDir dir;
    const std::filesystem::path data = dir.path().toStdString();
    const std::filesystem::path bin = std::filesystem::path(std::getenv("VEXO_BUILD_DIR")) / "bin";
    std::filesystem::copy_file(bin / "config.bin", data / "config.bin");
    std::ofstream(data / "victim") << "another user's work\n";
    std::filesystem::create_symlink(data / "victim", data / "link");
    std::filesystem::create_symlink(data / "nowhere", data / "dangling");
    const auto traced = [&](const std::string& name) {
        return test::RunTool(Vexo() + " -platform offscreen --simulate --data '" + data.string() + "' --trace '" +
                                 (data / name).string() + "' --quit-after-start",
                             data / "stderr.txt");
    };
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown((data / "victim").c_str(), 65534, 65534), 0);
        for (const std::string name : {"link", "victim"}) {
            const test::ToolRun run = traced(name);
            EXPECT_EQ(run.status, 1) << name;
            EXPECT_NE(run.err.find("another user"), std::string::npos) << run.err;
        }
        EXPECT_EQ(Slurp(data / "victim"), "another user's work\n");
    }
    const test::ToolRun dangling = traced("dangling");
    EXPECT_EQ(dangling.status, 1);
    EXPECT_NE(dangling.err.find("dangling link"), std::string::npos) << dangling.err;
    EXPECT_FALSE(std::filesystem::exists(data / "nowhere"));
}

// A timing run learns what the start-up cost up to its end, not what ending the program cost, and the
// file it names is made anew: nothing already there is replaced, not even through a link.
TEST(VexoCommandLineTest, TheStartCostIsWrittenToANewFileOnly) {
    QTemporaryDir dir;
    const std::filesystem::path data = dir.path().toStdString();
    const std::filesystem::path bin = std::filesystem::path(std::getenv("VEXO_BUILD_DIR")) / "bin";
    std::filesystem::copy_file(bin / "config.bin", data / "config.bin");
    const auto started = std::chrono::steady_clock::now().time_since_epoch();
    const auto costed = [&](const std::string& name) {
        return test::RunTool(Vexo() + " -platform offscreen --simulate --data '" + data.string() +
                                 "' --quit-after-start --start-cost '" + (data / name).string() + "'",
                             data / "stderr.txt");
    };
    ASSERT_EQ(costed("cost.txt").status, 0);
    const std::string line = Slurp(data / "cost.txt");
    std::smatch fields;
    ASSERT_TRUE(std::regex_match(line, fields, std::regex("clock_ns=([0-9]+) cpu_us=([0-9]+) peak_kib=([0-9]+)\n")))
        << line;
    const auto ended = std::chrono::steady_clock::now().time_since_epoch();
    // The same clock as the caller's, read between the start and the end of the run.
    const long long clockNs = std::stoll(fields[1]);
    EXPECT_GT(clockNs, std::chrono::duration_cast<std::chrono::nanoseconds>(started).count());
    EXPECT_LT(clockNs, std::chrono::duration_cast<std::chrono::nanoseconds>(ended).count());
    EXPECT_GT(std::stoll(fields[2]), 0);
    EXPECT_GT(std::stoll(fields[3]), 1024) << "a Qt program holds more than a MiB";

    std::ofstream(data / "mine") << "kept\n";
    std::filesystem::create_symlink(data / "mine", data / "link");
    std::filesystem::create_symlink(data / "nowhere", data / "dangling");
    for (const std::string name : {"cost.txt", "mine", "link", "dangling"}) {
        const test::ToolRun run = costed(name);
        EXPECT_EQ(run.status, 1) << name;
        EXPECT_NE(run.err.find("vexo: --start-cost: cannot make"), std::string::npos) << run.err;
    }
    EXPECT_EQ(Slurp(data / "cost.txt"), line);
    EXPECT_EQ(Slurp(data / "mine"), "kept\n");
    EXPECT_FALSE(std::filesystem::exists(data / "nowhere"));
}

} // namespace
} // namespace vexo
