#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <unistd.h>

#include "config/atomic_file.h"

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
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(99);
        ::_exit(body());
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid) return -1;
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
