// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// Data files that are not what they should be: FIFOs, devices, links to what is not ours. Every
// case runs in a child process with a time limit, so a program that blocks fails the test.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "config/atomic_file.h"
#include "config/config_store.h"
#include "config/factory_record.h"
#include "config/folder_lock.h"
#include "config/profile_ini.h"
#include "config/temp_dir.h"
#include "support/bounded_run.h"

namespace fs = std::filesystem;
using vexo::AtomicFile;
using vexo::ConfigStore;
using vexo::ProfileIni;
using vexo::test::RunBounded;
using vexo::test::TempDir;

namespace {

constexpr std::chrono::seconds kLimit{20};
constexpr uid_t kNobody = 65534;

// Things that may stand where a data file should: a FIFO, and where we may make them (root) a
// character device (the null device) and a block device (a loop device that need not exist).
std::vector<std::pair<std::string, fs::path>> MakeNonRegular(const TempDir& dir) {
    std::vector<std::pair<std::string, fs::path>> made;
    if (::mkfifo((dir / "fifo").c_str(), 0600) == 0)
        made.emplace_back("FIFO", dir / "fifo");
    if (::geteuid() == 0) {
        if (::mknod((dir / "chardev").c_str(), S_IFCHR | 0600, ::makedev(1, 3)) == 0)
            made.emplace_back("character device", dir / "chardev");
        if (::mknod((dir / "blockdev").c_str(), S_IFBLK | 0600, ::makedev(7, 200)) == 0)
            made.emplace_back("block device", dir / "blockdev");
    }
    return made;
}

TEST(HostileFiles, AConfigBinThatIsNoRegularFileIsReportedWithoutBlocking) {
    TempDir dir{"hostile-load"};
    const auto made = MakeNonRegular(dir);
    ASSERT_FALSE(made.empty());
    for (const auto& [kind, node] : made) {
        for (const bool asLink : {false, true}) {
            const fs::path config = dir / "config.bin";
            fs::remove(config);
            if (asLink)
                fs::create_symlink(node, config);
            else
                fs::rename(node, config);
            const auto outcome = RunBounded(kLimit, [&] {
                ConfigStore store(config);
                store.record().setReportRate(4);
                if (store.LoadConfig() != ConfigStore::LoadResult::Unreadable)
                    return 1;
                if (store.lastError().find("not a regular file") == std::string::npos)
                    return 2;
                if (store.record().reportRate() != 4)
                    return 3;
                // Saving must not put a regular file in its place either.
                return store.SaveConfig() == ConfigStore::SaveResult::Failed ? 0 : 4;
            });
            ASSERT_FALSE(outcome.timedOut()) << kind << (asLink ? " behind a link" : "") << ": loading hangs";
            EXPECT_EQ(outcome.status, 0) << kind << (asLink ? " behind a link" : "");
            struct stat st {};
            ASSERT_EQ(::lstat(config.c_str(), &st), 0);
            EXPECT_EQ(S_ISLNK(st.st_mode), asLink) << kind;
            if (!asLink) {
                EXPECT_FALSE(S_ISREG(st.st_mode)) << kind << " was replaced";
                fs::rename(config, node);
            } else {
                EXPECT_FALSE(fs::is_regular_file(node)) << kind << " was replaced through the link";
            }
        }
    }
}

TEST(HostileFiles, SettingsFilesThatAreNoRegularFilesReadAsMissingAndAreNeverReplaced) {
    TempDir dir{"hostile-ini"};
    for (const auto& [kind, node] : MakeNonRegular(dir)) {
        const fs::path ini = dir / ("str-" + node.filename().string() + ".ini");
        fs::create_symlink(node, ini);
        const auto outcome = RunBounded(kLimit, [&] {
            ProfileIni file(ini);
            if (!file.readString("Skins", "Lan").empty())
                return 1;
            if (file.writeString("Skins", "Lan", "EN"))
                return 2;
            ProfileIni direct(node);
            return direct.writeString("Skins", "Lan", "EN") ? 3 : 0;
        });
        ASSERT_FALSE(outcome.timedOut()) << kind << ": hangs";
        EXPECT_EQ(outcome.status, 0) << kind << " (1: read something, 2: replaced through the link, 3: replaced)";
        EXPECT_TRUE(fs::is_symlink(ini)) << kind;
        EXPECT_FALSE(fs::is_regular_file(node)) << kind;
    }
}

TEST(HostileFiles, ALinkIsFollowedOnlyToARegularFileOfOurOwnUser) {
    TempDir dir{"hostile-link"};
    fs::permissions(dir.path, fs::perms::all);
    TempDir::put(dir / "theirs.ini", "[Skins]\nLan=CHS\n");
    TempDir::put(dir / "mine.ini", "[Skins]\nLan=CHT\n");
    const bool root = ::geteuid() == 0;
    // As root the other user is nobody; as a user, root's files serve.
    if (root)
        ASSERT_EQ(::chown((dir / "theirs.ini").c_str(), kNobody, kNobody), 0);
    else
        ASSERT_EQ(fs::exists("/etc/hostname"), true);
    const fs::path theirs = root ? dir / "theirs.ini" : fs::path("/etc/hostname");
    const std::string theirsBefore = TempDir::take(theirs);
    fs::create_symlink(theirs, dir / "str.ini");
    fs::create_symlink(dir / "mine.ini", dir / "record.ini");
    fs::create_symlink(dir / "nothing.ini", dir / "dangling.ini");

    const auto r = AtomicFile::write(dir / "str.ini", std::string("[Skins]\nLan=EN\n"));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, EPERM);
    EXPECT_NE(r.message.find("another user"), std::string::npos) << r.message;
    EXPECT_EQ(TempDir::take(theirs), theirsBefore);
    EXPECT_TRUE(fs::is_symlink(dir / "str.ini"));

    EXPECT_TRUE(AtomicFile::write(dir / "record.ini", std::string("[m]\n")).ok) << "our own file behind a link";
    EXPECT_EQ(TempDir::take(dir / "mine.ini"), "[m]\n");
    EXPECT_TRUE(fs::is_symlink(dir / "record.ini"));

    const auto dangling = AtomicFile::write(dir / "dangling.ini", std::string("x"));
    EXPECT_FALSE(dangling.ok);
    EXPECT_FALSE(fs::exists(dir / "nothing.ini")) << "a link to nothing must not create its target";

    // The user nobody may not follow a link to root's file either (the owner is what counts, not
    // whether the file could be written).
    if (root) {
        TempDir::put(dir / "roots.ini", "root");
        fs::permissions(dir / "roots.ini", fs::perms::all);
        fs::create_symlink(dir / "roots.ini", dir / "config.ini");
        const auto outcome = RunBounded(
            kLimit, [&] { return AtomicFile::write(dir / "config.ini", std::string("nobody")).ok ? 1 : 0; },
            /*asRoot=*/false);
        ASSERT_FALSE(outcome.timedOut());
        EXPECT_EQ(outcome.status, 0) << "1: written, 99: cannot drop privileges";
        EXPECT_EQ(TempDir::take(dir / "roots.ini"), "root");
    }
}

} // namespace

namespace {

// A folder its owner may write in but not open (mode 0311), with config.bin in it; owned by the
// user the child runs as (nobody when the tests run as root).
fs::path MakeUnopenableFolder(const TempDir& dir, const std::string& config) {
    const fs::path folder = dir / "data";
    fs::create_directory(folder);
    TempDir::put(folder / "config.bin", config);
    if (::geteuid() == 0) {
        EXPECT_EQ(::chown(folder.c_str(), kNobody, kNobody), 0);
        EXPECT_EQ(::chown((folder / "config.bin").c_str(), kNobody, kNobody), 0);
    }
    fs::permissions(folder,
                    fs::perms::owner_write | fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec);
    return folder;
}

} // namespace

// Without the lock, a save could run past another program's: a folder that cannot be locked stops
// the save as a busy one does, unless its file system keeps no locks at all.
TEST(HostileFiles, AFolderThatCannotBeLockedStopsTheSaveAsABusyOneDoes) {
    TempDir dir("unlockable");
    const std::string old(ConfigStore::kFileSize, '\x11');
    const fs::path folder = MakeUnopenableFolder(dir, old);
    const auto outcome = RunBounded(
        kLimit,
        [&] {
            const vexo::FolderLock lock(folder, std::chrono::milliseconds(50));
            if (lock.state() != vexo::FolderLock::State::Failed || !lock.busy())
                return 1;
            if (lock.message().find("Permission denied") == std::string::npos)
                return 2;
            ConfigStore store(folder / "config.bin");
            if (store.LoadConfig() != ConfigStore::LoadResult::Loaded)
                return 3;
            store.record().setReportRate(2);
            if (store.SaveConfig() != ConfigStore::SaveResult::Failed)
                return 4;
            if (store.lastErrno() != EBUSY || store.lastError().find("cannot lock") == std::string::npos)
                return 5;
            return 0;
        },
        false);
    ASSERT_TRUE(outcome.finished);
    EXPECT_NE(outcome.status, 99) << "could not become nobody";
    EXPECT_EQ(outcome.status, 0);
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_EQ(TempDir::take(folder / "config.bin"), old);
}

// The same rule as for a damaged file: an unreadable config.bin (here mode 000, read by a user
// other than root, whom no mode stops) is reported as such, and the store never takes zeros for it.
TEST(HostileFiles, AConfigBinOfMode000IsUnreadableAndItsPlaceTakesTheDeliveredSettings) {
    TempDir dir("mode000");
    const fs::path config = dir / "config.bin";
    TempDir::put(config, std::string(ConfigStore::kFileSize, '\x22'));
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(config.c_str(), kNobody, kNobody), 0);
    }
    fs::permissions(config, fs::perms::none);
    const auto outcome = RunBounded(
        kLimit,
        [&] {
            ConfigStore store(config);
            if (store.LoadConfig() != ConfigStore::LoadResult::Unreadable)
                return 1;
            if (store.lastError().find("Permission denied") == std::string::npos)
                return 2;
            store.UseDefaultsForUnreadableFile();
            if (!store.fileUnread() || store.record() != vexo::FactoryRecord())
                return 3;
            store.MergeChangesOnDisk();
            return store.fileUnread() ? 0 : 4;
        },
        false);
    ASSERT_TRUE(outcome.finished);
    EXPECT_NE(outcome.status, 99) << "could not become nobody";
    EXPECT_EQ(outcome.status, 0);
}
