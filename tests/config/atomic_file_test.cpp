// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <unistd.h>

#include "config/atomic_file.h"
#include "config/folder_lock.h"

#include <chrono>
#include <vector>

namespace fs = std::filesystem;
using vexo::AtomicFile;

namespace {

class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("vexo-atomic-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        AtomicFile::setFaultHook(nullptr);
        fs::remove_all(dir);
    }
    std::string slurp(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::size_t filesIn() { return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), {})); }
    fs::path dir;
};

TEST_F(AtomicFileTest, ReplacesContentWholeAndKeepsNoTemporaryFiles) {
    const auto target = dir / "config.bin";
    ASSERT_TRUE(AtomicFile::write(target, std::string("old content")).ok);
    ASSERT_TRUE(AtomicFile::write(target, std::string("new")).ok);
    EXPECT_EQ(slurp(target), "new");
    EXPECT_EQ(filesIn(), 1u);
}

TEST_F(AtomicFileTest, AFailureAtAnyStepLeavesTheOldFileIntact) {
    const auto target = dir / "str.ini";
    ASSERT_TRUE(AtomicFile::write(target, std::string("precious")).ok);
    for (const char* step : {"open", "write", "sync", "close", "rename"}) {
        AtomicFile::setFaultHook([step](const char* s) { return std::strcmp(s, step) == 0 ? ENOSPC : 0; });
        const auto r = AtomicFile::write(target, std::string("replacement that must not land"));
        EXPECT_FALSE(r.ok) << step;
        EXPECT_EQ(r.error, ENOSPC) << step;
        EXPECT_FALSE(r.message.empty()) << step;
        EXPECT_EQ(slurp(target), "precious") << step;
        EXPECT_EQ(filesIn(), 1u) << "temporary file left after failing " << step;
    }
}

TEST_F(AtomicFileTest, KeepsThePermissionsOfTheReplacedFile) {
    const auto target = dir / "record.ini";
    ASSERT_TRUE(AtomicFile::write(target, std::string("a")).ok);
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(AtomicFile::write(target, std::string("b")).ok);
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
}

// Runs body in a child process as an unprivileged user (nobody) when the tests run as root, for
// whom write protection does not apply; returns the child's exit status.
template <typename Body>
int RunUnprivileged(Body body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(99);
        ::_exit(body());
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(AtomicFileTest, AWriteProtectedFileIsRefusedAlthoughTheFolderAllowsTheRename) {
    const auto target = dir / "config.bin";
    ASSERT_TRUE(AtomicFile::write(target, std::string("protected")).ok);
    fs::permissions(dir, fs::perms::all);
    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const int outcome = RunUnprivileged([&] {
        const auto r = AtomicFile::write(target, std::string("overwritten"));
        return r.ok ? 1 : r.error == EACCES ? 0 : 2;
    });
    EXPECT_EQ(outcome, 0) << "1: written anyway, 2: refused for another reason, 99: cannot drop privileges";
    EXPECT_EQ(slurp(target), "protected");
    EXPECT_EQ(filesIn(), 1u);
}

TEST_F(AtomicFileTest, ALinkIsFollowedAndKeepsPointingAtTheSavedFile) {
    fs::create_directories(dir / "dotfiles");
    ASSERT_TRUE(AtomicFile::write(dir / "dotfiles" / "str.ini", std::string("old")).ok);
    fs::create_symlink(fs::path("dotfiles") / "str.ini", dir / "str.ini");
    ASSERT_TRUE(AtomicFile::write(dir / "str.ini", std::string("new")).ok);
    EXPECT_TRUE(fs::is_symlink(dir / "str.ini"));
    EXPECT_EQ(slurp(dir / "dotfiles" / "str.ini"), "new");
    EXPECT_EQ(filesIn(), 2u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "dotfiles"), {}), 1);
}

TEST_F(AtomicFileTest, AMissingFolderIsReportedNotCreated) {
    const auto r = AtomicFile::write(dir / "no-such-folder" / "config.bin", std::string("x"));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error, 0);
    EXPECT_FALSE(fs::exists(dir / "no-such-folder"));
}

} // namespace

namespace {

// What a save killed half-way leaves: its temporary file, made by a child that dies before the rename.
fs::path LeftoverOfAKilledSave(const fs::path& target) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        AtomicFile::setFaultHook([](const char* step) {
            if (std::strcmp(step, "rename") == 0)
                ::_exit(0);
            return 0;
        });
        (void)AtomicFile::write(target, std::string("half-way"));
        ::_exit(1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    for (const auto& entry : fs::directory_iterator(target.parent_path()))
        if (entry.path().filename().string().starts_with(target.filename().string() + ".") &&
            fs::last_write_time(entry.path()) > fs::file_time_type::clock::now() - std::chrono::seconds(2))
            return entry.path();
    return {};
}

void MakeOld(const fs::path& file) {
    fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::minutes(10));
}

} // namespace

TEST_F(AtomicFileTest, TheNextSaveUnderTheFolderLockRemovesOurStaleTemporariesAndNothingElse) {
    const auto target = dir / "config.bin";
    ASSERT_TRUE(AtomicFile::write(target, std::string("old")).ok);
    std::vector<fs::path> stale;
    for (int kill = 0; kill < 5; ++kill) {
        const fs::path left = LeftoverOfAKilledSave(target);
        ASSERT_FALSE(left.empty());
        MakeOld(left);
        stale.push_back(left);
    }
    const fs::path fresh = LeftoverOfAKilledSave(target); // as if another save were still writing it
    ASSERT_FALSE(fresh.empty());
    // Names a user may give, another file's leftover, and a link: all kept.
    std::vector<fs::path> kept = {dir / "config.bin.backup", dir / "config.bin.202401", dir / "config.bin.Old",
                                  dir / "str.ini.Ab12Cd", fresh};
    for (const auto& name : kept)
        if (!fs::exists(name))
            std::ofstream(name) << "mine";
    fs::create_symlink(dir / "config.bin.backup", dir / "config.bin.Lk42Zz");
    kept.push_back(dir / "config.bin.Lk42Zz");
    std::error_code ignored; // the link's target is made old with it
    for (const auto& name : kept)
        fs::last_write_time(name, fs::file_time_type::clock::now() - std::chrono::minutes(10), ignored);
    fs::last_write_time(fresh, fs::file_time_type::clock::now());

    // Without the lock another program's save may be under way: nothing is removed.
    ASSERT_TRUE(AtomicFile::write(target, std::string("new")).ok);
    for (const auto& left : stale)
        EXPECT_TRUE(fs::exists(left)) << left;

    {
        const vexo::FolderLock lock(dir);
        ASSERT_EQ(lock.state(), vexo::FolderLock::State::Held);
        ASSERT_TRUE(AtomicFile::write(target, std::string("newer")).ok);
    }
    EXPECT_EQ(slurp(target), "newer");
    for (const auto& left : stale)
        EXPECT_FALSE(fs::exists(left)) << left;
    for (const auto& name : kept)
        EXPECT_TRUE(fs::exists(fs::symlink_status(name))) << name;
}

TEST_F(AtomicFileTest, EveryLeftoverOfOursIsOneTheSweepRecognises) {
    // About one random name in a hundred looks like a user's ("config.bin.qppqrz"); none of them
    // may be what a killed save leaves.
    const auto target = dir / "config.bin";
    for (int kill = 0; kill < 200; ++kill) {
        const fs::path left = LeftoverOfAKilledSave(target);
        ASSERT_FALSE(left.empty());
        MakeOld(left);
    }
    {
        const vexo::FolderLock lock(dir);
        ASSERT_EQ(lock.state(), vexo::FolderLock::State::Held);
        ASSERT_TRUE(AtomicFile::write(target, std::string("saved")).ok);
    }
    EXPECT_EQ(filesIn(), 1u);
}
