// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "support/tool_run.h"

namespace {

using Result = vexo::test::ToolRun;

// Runs the built vexoctl with arguments through the shell; standard error is dropped.
Result runVexoctl(const std::string& arguments) {
    return vexo::test::RunTool(vexo::test::VexoctlProgram() + " " + arguments);
}

std::string tempPath(const char* name) { return ::testing::TempDir() + name; }

TEST(VexoctlTest, InfoAgainstTheSimulatedMouseAndItsTrace) {
    const std::string trace = tempPath("vexoctl-info.trace");
    const Result info = runVexoctl("--simulate=2 --trace " + trace + " info");
    EXPECT_EQ(info.status, 0);
    EXPECT_EQ(info.out, "present: yes\nscrambling: on\nsensor: 02 02 11 05\n");
    std::ifstream in(trace);
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(first, "SET 00 AA DD 3B 62 00 00 DB");
    std::stringstream rest;
    rest << in.rdbuf();
    EXPECT_NE(rest.str().find("SET 83 00 00 00 00 00 00 7C\nGET 83 02 02 11 05"), std::string::npos) << rest.str();

    EXPECT_EQ(runVexoctl("--simulate info").out, "present: yes\nscrambling: on\nsensor: 03 02 11 05\n");
}

TEST(VexoctlTest, WatchPlaysTheDemoScript) {
    const Result watch = runVexoctl("--simulate watch --once");
    EXPECT_EQ(watch.status, 0);
    EXPECT_EQ(watch.out, "notice 5 2\nnotice 7 3\nnotice 8 2\nnotice 9 1\nremoval\narrival\nnotice 7 1\n");
}

TEST(VexoctlTest, UsageMistakesAreRefused) {
    EXPECT_EQ(runVexoctl("--frobnicate info").status, 64);
    EXPECT_EQ(runVexoctl("--simulate=4 info").status, 64);
    EXPECT_EQ(runVexoctl("--simulate info extra").status, 64);
    EXPECT_EQ(runVexoctl("--simulate watch --sometimes").status, 64);
    EXPECT_EQ(runVexoctl("teleport").status, 64);
    EXPECT_EQ(runVexoctl("").status, 64);
    EXPECT_EQ(runVexoctl("--trace").status, 64);
    const Result help = runVexoctl("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("info"), std::string::npos);
    EXPECT_NE(help.out.find("--simulate[=N]"), std::string::npos);
    const Result infoHelp = runVexoctl("info --help");
    EXPECT_EQ(infoHelp.status, 0);
    EXPECT_NE(infoHelp.out.find("present: no"), std::string::npos);
}

} // namespace
