// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// vexoctl against hostile data files, a full output, odd command lines and a second program
// working on the same folder. Every run is bounded by timeout(1): a hang fails, it never stops
// the suite.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <array>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <thread>

#include "config/temp_dir.h"
#include "config/utf_text.h"
#include "support/lock_holder.h"
#include "support/tool_run.h"

using vexo::test::TempDir;
using vexo::test::ToolRun;

namespace {

constexpr std::size_t kMacroAreaInFile = 1 + 384; // after the first-run flag

// The macro store that encode-macros puts into block 1: press A, 50 ms, release A, three times.
const std::string kRecordIni =
    "[m]\r\nMacroLoopTimes=3\r\nItemCount=3\r\nItem0=A   Dn\r\nItem1=50 ms\r\nItem2=A   Up\r\n";
const std::string kEncodedBlock("\x00\x03\x05\x04\x80\x04", 6);

class VexoctlFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"config.bin", "str.ini"})
            std::filesystem::copy_file(std::filesystem::path(VEXO_SOURCE_DIR) / "data" / name, dir / name);
    }
    // vexoctl with the arguments, killed after 30 s; standard error is kept in err.
    ToolRun run(const std::string& arguments, const std::string& redirect = "") {
        return vexo::test::RunTool("timeout -s KILL 30 " + std::string(VEXO_PROGRAM_DIR) + "/vexoctl " + arguments +
                                       redirect,
                                   dir / ("stderr-" + std::to_string(++runs) + ".txt"));
    }
    std::string data() const { return "--data '" + dir.path.string() + "' "; }
    TempDir dir{"vexoctl-files"};
    int runs = 0;
};

TEST_F(VexoctlFilesTest, AConfigBinThatIsAFifoOrAFolderIsReportedNeverWaitedForAndNothingIsSent) {
    TempDir::put(dir / "record.ini", kRecordIni);
    for (const bool fifo : {true, false}) {
        const std::string kind = fifo ? "FIFO" : "folder";
        std::filesystem::remove(dir / "config.bin");
        if (fifo) {
            ASSERT_EQ(::mkfifo((dir / "config.bin").c_str(), 0600), 0);
        } else {
            std::filesystem::create_directory(dir / "config.bin");
        }
        for (const std::string command : {"show --sensor 1", "blocks --sensor 1", "apply", "encode-macros"}) {
            const ToolRun r = run("--simulate " + data() + "--trace '" + (dir / "trace.txt").string() + "' " + command);
            EXPECT_EQ(r.status, 1) << kind << " " << command << " (137: hung and was killed)";
            EXPECT_NE(r.err.find("not a regular file"), std::string::npos) << kind << " " << command << ": " << r.err;
            // Nothing unread reached the mouse: no report rate, DPI block, macro or key matrix.
            const std::string trace = TempDir::take(dir / "trace.txt");
            for (const char* write : {"SET 01 ", "SET 0D ", "SET 12 ", "SET 13 "})
                EXPECT_EQ(trace.find(write), std::string::npos) << kind << " " << command << ": " << write;
        }
        struct stat st {};
        ASSERT_EQ(::lstat((dir / "config.bin").c_str(), &st), 0);
        EXPECT_TRUE(fifo ? S_ISFIFO(st.st_mode) : S_ISDIR(st.st_mode)) << "the " << kind << " was replaced";
    }
}

TEST_F(VexoctlFilesTest, ATraceNamingADataFileIsRefusedBeforeAnythingIsTouched) {
    const std::string config = TempDir::take(dir / "config.bin");
    const std::string labels = TempDir::take(dir / "str.ini");
    std::filesystem::create_symlink(dir / "config.bin", dir / "link-to-config");
    std::filesystem::create_hard_link(dir / "str.ini", dir / "same-as-str.ini");
    for (const std::string trace : {"config.bin", "str.ini", "record.ini", "link-to-config", "same-as-str.ini"}) {
        for (const std::string command : {"apply", "show --sensor 2", "blocks", "info"}) {
            const ToolRun r = run("--simulate " + data() + "--trace '" + (dir / trace).string() + "' " + command);
            EXPECT_EQ(r.status, 64) << trace << " " << command;
            EXPECT_NE(r.err.find("data file"), std::string::npos) << r.err;
        }
    }
    EXPECT_EQ(TempDir::take(dir / "config.bin"), config);
    EXPECT_EQ(TempDir::take(dir / "str.ini"), labels);
    EXPECT_FALSE(std::filesystem::exists(dir / "record.ini"));

    // A trace elsewhere works, and holds the exchanges of the whole apply.
    const ToolRun traced = run("--simulate " + data() + "--trace '" + (dir / "trace.txt").string() + "' apply");
    EXPECT_EQ(traced.status, 0) << traced.err;
    EXPECT_EQ(TempDir::take(dir / "trace.txt").rfind("SET ", 0), 0u);
}

// A link planted in a shared folder must not make a trace destroy another user's file.
TEST_F(VexoctlFilesTest, ATraceFollowsALinkOnlyToAFileOfOurOwnAndNeverEmptiesAnotherUsersFile) {
    const std::string victimText = "another user's work\n";
    TempDir::put(dir / "victim", victimText);
    std::filesystem::create_symlink(dir / "victim", dir / "link-to-victim");
    std::filesystem::create_symlink(dir / "nowhere", dir / "dangling");
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown((dir / "victim").c_str(), 65534, 65534), 0);
        for (const std::string name : {"link-to-victim", "victim"}) {
            const ToolRun r = run("--simulate " + data() + "--trace '" + (dir / name).string() + "' info");
            EXPECT_EQ(r.status, 1) << name;
            EXPECT_NE(r.err.find("another user"), std::string::npos) << name << ": " << r.err;
        }
        EXPECT_EQ(TempDir::take(dir / "victim"), victimText);
        ASSERT_EQ(::chown((dir / "victim").c_str(), 0, 0), 0);
    }
    const ToolRun dangling = run("--simulate " + data() + "--trace '" + (dir / "dangling").string() + "' info");
    EXPECT_EQ(dangling.status, 1);
    EXPECT_NE(dangling.err.find("dangling link"), std::string::npos) << dangling.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "nowhere")) << "nothing is created through a dangling link";
    // Our own file, through the link, is emptied and traced into as before.
    const ToolRun ours = run("--simulate " + data() + "--trace '" + (dir / "link-to-victim").string() + "' info");
    EXPECT_EQ(ours.status, 0) << ours.err;
    EXPECT_EQ(TempDir::take(dir / "victim").rfind("SET ", 0), 0u);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link-to-victim"));
}

// A macro store the program cannot read must not pass for one without macros.
TEST_F(VexoctlFilesTest, ARecordIniThatCannotBeReadIsReportedAndHiddenSectionsAreCounted) {
    std::string bigEndian = "\xFE\xFF";
    for (const char c : kRecordIni)
        bigEndian += std::string{'\0', c};
    std::string noMark;
    for (const char c : kRecordIni)
        noMark += std::string{c, '\0'};
    const std::string config = TempDir::take(dir / "config.bin");
    for (const std::string& bytes : {bigEndian, noMark}) {
        TempDir::put(dir / "record.ini", bytes);
        for (const std::string command : {"macros", "encode-macros"}) {
            const ToolRun r = run(data() + command);
            EXPECT_EQ(r.status, 1) << command;
            EXPECT_NE(r.err.find("UTF-16"), std::string::npos) << command << ": " << r.err;
        }
    }
    EXPECT_EQ(TempDir::take(dir / "config.bin"), config) << "nothing was encoded from an unread store";
    // A first name of 100 KB is left out alone: the macro after it is listed and encoded as the
    // first, and the one section left out is told.
    TempDir::put(dir / "record.ini", "[" + std::string(100000, 'n') + "]\r\nItemCount=0\r\n" + kRecordIni);
    const ToolRun listed = run(data() + "macros");
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(listed.out.substr(0, listed.out.find('\n')), "macro1 \"m\" loop 3 lines 3");
    EXPECT_NE(listed.err.find("warning: 1 section(s) of record.ini have names that do not fit the 255 characters"),
              std::string::npos)
        << listed.err;
    const ToolRun encoded = run(data() + "encode-macros");
    EXPECT_EQ(encoded.status, 0) << encoded.err;
    EXPECT_TRUE(encoded.out.starts_with("macro1 00 03 05 04 80 04 ")) << encoded.out.substr(0, 80);
    EXPECT_NE(encoded.err.find("warning: 1 section(s) of record.ini have names"), std::string::npos) << encoded.err;
}

TEST_F(VexoctlFilesTest, OutputThatCannotBeWrittenIsAFailure) {
    TempDir::put(dir / "record.ini", kRecordIni);
    for (const std::string command : {"--help", "--version", "info", "show --sensor 1", "show --json --sensor 1",
                                      "blocks", "apply", "macros", "encode-macros", "watch --once", "show --help"}) {
        const ToolRun r = run("--simulate " + data() + command, " >/dev/full");
        EXPECT_EQ(r.status, 1) << command;
        EXPECT_NE(r.err.find("cannot write the output: No space left on device"), std::string::npos)
            << command << ": " << r.err;
    }
    // A watch without an end of its own stops at its first line that cannot be written.
    for (const std::string redirect : {" >/dev/full", " >&-"}) {
        const ToolRun r = run("--simulate " + data() + "watch", redirect);
        EXPECT_EQ(r.status, 1) << redirect << " (137: it went on until killed)";
        EXPECT_NE(r.err.find("cannot write the output: "), std::string::npos) << redirect << ": " << r.err;
    }
    for (const std::string command : {"info", "apply", "show", "blocks", "watch --once"}) {
        const ToolRun r = run("--simulate " + data() + "--trace /dev/full " + command);
        EXPECT_EQ(r.status, 1) << command;
        EXPECT_NE(r.err.find("cannot write the trace file '/dev/full'"), std::string::npos) << command << ": " << r.err;
    }
}

TEST_F(VexoctlFilesTest, PathsInSavedLinesAndMessagesAreEscapedAsShowEscapesThem) {
    // A folder whose name holds a line break and an escape character: the terminal sees them
    // as \x0A and \x1B, never as a second line or a colour change.
    const std::filesystem::path odd = dir / "odd\n\x1b[31mname";
    std::filesystem::create_directory(odd);
    for (const char* name : {"config.bin", "str.ini"})
        std::filesystem::copy_file(dir / name, odd / name);
    const ToolRun applied = run("--simulate --data '" + odd.string() + "' apply");
    ASSERT_EQ(applied.status, 0) << applied.err;
    EXPECT_NE(applied.out.find("odd\\x0A\\x1B[31mname/config.bin\n"), std::string::npos) << applied.out;
    EXPECT_EQ(applied.out.find('\x1b'), std::string::npos) << applied.out;

    std::filesystem::remove(odd / "str.ini");
    std::filesystem::create_directory(odd / "str.ini");
    const ToolRun refused = run("--simulate --data '" + odd.string() + "' apply");
    EXPECT_NE(refused.status, 0);
    EXPECT_EQ(refused.err.find('\x1b'), std::string::npos) << refused.err;
}

TEST_F(VexoctlFilesTest, CommandLineMistakesAreUsageErrorsWithAUsefulHint) {
    const ToolRun version = run("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("vexoctl ", 0), 0u);
    EXPECT_EQ(version.out.find('\n'), version.out.size() - 1);

    const ToolRun help = run("--help");
    EXPECT_EQ(help.status, 0);
    for (const std::string line :
         {"  apply ", "  blocks [--sensor N] ", "  encode-macros ", "  info ", "  macros ",
          "  show [--json] [--sensor N] ", "  watch [--no-script | --once] ", "  --simulate[=N] ", "  --trace FILE ",
          "  --data DIR ", "  --help, -h ", "  --version "})
        EXPECT_NE(help.out.find("\n" + line), std::string::npos) << line;

    for (const std::string wrong : {"--bogus info", "-x show", "--data", "--data '' show", "--trace '' info",
                                    "--simulate 3 info", "--simulate= info", "frobnicate", ""}) {
        const ToolRun r = run(wrong);
        EXPECT_EQ(r.status, 64) << wrong;
        EXPECT_TRUE(r.out.empty()) << wrong;
        EXPECT_NE(r.err.find("Usage: vexoctl"), std::string::npos) << wrong << ": " << r.err;
    }
    EXPECT_NE(run("--simulate 3 info").err.find("--simulate=3"), std::string::npos);
    EXPECT_NE(run("--data '' show").err.find("not an empty text"), std::string::npos);
}

TEST_F(VexoctlFilesTest, OnlyClearMessagesReachStandardError) {
    std::filesystem::remove(dir / "config.bin");
    for (const std::string command : {"show --sensor 1", "blocks --sensor 1", "apply", "encode-macros"}) {
        TempDir::put(dir / "record.ini", kRecordIni);
        const ToolRun r = run("--simulate " + data() + command);
        EXPECT_EQ(r.status, 1) << command;
        EXPECT_NE(r.err.find("config.bin"), std::string::npos) << command << ": " << r.err;
        EXPECT_EQ(r.err.find("Config file is not exist."), std::string::npos) << command << ": " << r.err;
    }
    // A folder the save cannot write into: as the user nobody, for whom permissions count.
    std::filesystem::copy_file(std::filesystem::path(VEXO_SOURCE_DIR) / "data" / "config.bin", dir / "config.bin");
    std::filesystem::permissions(dir.path,
                                 std::filesystem::perms::owner_all | std::filesystem::perms::others_read |
                                     std::filesystem::perms::others_exec);
    for (const char* name : {"config.bin", "str.ini", "record.ini"})
        std::filesystem::permissions(dir / name, std::filesystem::perms::all);
    const std::string asNobody = ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    for (const std::string command : {"apply", "encode-macros"}) {
        const ToolRun r = vexo::test::RunTool("timeout -s KILL 30 " + asNobody + std::string(VEXO_PROGRAM_DIR) +
                                                  "/vexoctl --simulate " + data() + command,
                                              dir.path.parent_path() / ("vexo-stderr-" + std::to_string(::getpid())));
        EXPECT_EQ(r.status, 1) << command;
        EXPECT_NE(r.err.find("Permission denied"), std::string::npos) << command << ": " << r.err;
        EXPECT_EQ(r.err.find("NULL ==fp"), std::string::npos) << command << ": " << r.err;
        EXPECT_EQ(r.err.find("Error Code is"), std::string::npos) << command << ": " << r.err;
    }
    std::filesystem::remove(dir.path.parent_path() / ("vexo-stderr-" + std::to_string(::getpid())));
}

TEST_F(VexoctlFilesTest, TextFromFilesIsEscapedForTheTerminalAndJsonStaysValid) {
    TempDir::put(dir / "str.ini",
                 "[Skins]\r\nLan=EN\r\n[Setting-EN]\r\nItem1=evil\x1B]0;pwned\x07\\\r\n"
                 "Item2=bad \xFF\xFE bytes\r\nItem3=\xC2\x9B"
                 "csi\r\n");
    TempDir::put(dir / "record.ini", "[mac\x1B[2Jro]\r\nItemCount=1\r\nItem0=A\x08\x08   Dn\r\n");
    const ToolRun text = run(data() + "show --sensor 1");
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("label \"evil\\x1B]0;pwned\\x07\\\\\""), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("label \"\\u009Bcsi\""), std::string::npos) << text.out;
    const ToolRun macros = run(data() + "macros");
    ASSERT_EQ(macros.status, 0) << macros.err;
    EXPECT_NE(macros.out.find("macro1 \"mac\\x1B[2Jro\""), std::string::npos) << macros.out;
    EXPECT_NE(macros.out.find("  A\\x08\\x08   Dn\n"), std::string::npos) << macros.out;
    for (const std::string& out : {text.out, macros.out}) {
        for (const char c : out)
            EXPECT_TRUE(c == '\n' || static_cast<unsigned char>(c) >= 0x20) << int(c);
    }

    // A folder whose name is no UTF-8 and holds a control character.
    const std::filesystem::path odd = dir / "odd\xFF\x01name";
    std::filesystem::create_directory(odd);
    for (const char* name : {"config.bin", "str.ini"})
        std::filesystem::copy_file(dir / name, odd / name);
    const ToolRun json = run("--data '" + odd.string() + "' show --json --sensor 1");
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(vexo::utf::sanitize(json.out), json.out) << "not UTF-8";
    for (const char c : json.out)
        EXPECT_TRUE(c == '\n' || static_cast<unsigned char>(c) >= 0x20) << int(c);
    EXPECT_NE(json.out.find("odd\\ufffd\\u0001name"), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("\"label\": \"evil\\u001b]0;pwned\\u0007\\\\\""), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("\"label\": \"bad \uFFFD\uFFFD bytes\""), std::string::npos);
}

TEST_F(VexoctlFilesTest, AStrIniThatCannotBeKeptIsReportedOnceAndLeftAlone) {
    std::string bigEndian = "\xFE\xFF";
    for (const char c : std::string("[Setting-EN]\r\nItem1=Left\r\n"))
        bigEndian += std::string{'\0', c};
    TempDir::put(dir / "str.ini", bigEndian);
    const ToolRun show = run(data() + "show --sensor 1");
    EXPECT_EQ(show.status, 0);
    const std::string warning = "UTF-16 big-endian";
    const auto first = show.err.find(warning);
    ASSERT_NE(first, std::string::npos) << show.err;
    EXPECT_EQ(show.err.find(warning, first + 1), std::string::npos) << "said more than once: " << show.err;

    const ToolRun apply = run("--simulate " + data() + "apply");
    EXPECT_EQ(apply.status, 1);
    EXPECT_NE(apply.err.find("button labels not saved"), std::string::npos) << apply.err;
    EXPECT_EQ(TempDir::take(dir / "str.ini"), bigEndian) << "a mixed encoding was written";
}

// Two programs on one folder: apply (which loads config.bin, talks to the mouse and saves it) and
// encode-macros (which puts the macros into config.bin) at the same moment. Whatever their order,
// the macros encode-macros reported as saved must be in the file afterwards. VEXO_LOCK_RUNS sets
// the number of runs (default 60).
TEST_F(VexoctlFilesTest, ConcurrentApplyAndEncodeMacrosLoseNoUpdate) {
    const char* configured = std::getenv("VEXO_LOCK_RUNS");
    const int runsWanted = configured ? std::atoi(configured) : 60;
    const std::string base = TempDir::take(dir / "config.bin");
    ASSERT_NE(base.substr(kMacroAreaInFile, 6), kEncodedBlock);
    int lost = 0;
    int failed = 0;
    for (int i = 0; i < runsWanted; ++i) {
        TempDir::put(dir / "config.bin", base);
        TempDir::put(dir / "record.ini", kRecordIni);
        ToolRun apply;
        std::thread applying([&] { apply = run("--simulate " + data() + "apply"); });
        const ToolRun encode = run(data() + "encode-macros");
        applying.join();
        if (apply.status != 0 || encode.status != 0) {
            ++failed;
            ADD_FAILURE() << "run " << i << ": apply " << apply.status << " " << apply.err << ", encode-macros "
                          << encode.status << " " << encode.err;
            continue;
        }
        if (TempDir::take(dir / "config.bin").substr(kMacroAreaInFile, 6) != kEncodedBlock)
            ++lost;
    }
    std::cout << "runs " << runsWanted << ", lost updates " << lost << ", failed runs " << failed << std::endl;
    EXPECT_EQ(lost, 0);
}

TEST_F(VexoctlFilesTest, AFolderKeptBusyByAnotherProgramIsReportedAfterABoundedWait) {
    TempDir::put(dir / "record.ini", kRecordIni);
    const std::string before = TempDir::take(dir / "config.bin");
    {
        // Another program holds the folder's lock for longer than anyone waits.
        const vexo::test::LockHolder other(dir.path);
        ASSERT_TRUE(other.held());
        const ToolRun encode = run(data() + "encode-macros");
        const ToolRun apply = run("--simulate " + data() + "apply");
        for (const ToolRun* r : {&encode, &apply}) {
            EXPECT_EQ(r->status, 1);
            EXPECT_NE(r->err.find("is busy: another program is saving in it"), std::string::npos) << r->err;
        }
        EXPECT_EQ(TempDir::take(dir / "config.bin"), before);
    }
    // A lock given up within the wait only delays the work.
    std::optional<vexo::test::LockHolder> brief(std::in_place, dir.path);
    ASSERT_TRUE(brief->held());
    std::thread releasing([&] {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        brief->release();
    });
    const ToolRun later = run(data() + "encode-macros");
    releasing.join();
    EXPECT_EQ(later.status, 0) << later.err;
    EXPECT_EQ(TempDir::take(dir / "config.bin").substr(kMacroAreaInFile, 6), kEncodedBlock);
}

} // namespace
