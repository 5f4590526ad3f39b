// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <cstring>

#include "config/atomic_file.h"
#include "config/config_store.h"
#include "config/factory_record.h"
#include "config/temp_dir.h"

using vexo::AtomicFile;
using vexo::ConfigRecord;
using vexo::ConfigStore;
using vexo::KeyMode;
using vexo::test::TempDir;

namespace {

std::string configFile(std::uint8_t flag, std::uint8_t fill) {
    std::string bytes(ConfigStore::kFileSize, static_cast<char>(fill));
    bytes[0] = static_cast<char>(flag);
    return bytes;
}

class ConfigStoreTest : public ::testing::Test {
protected:
    TempDir dir{"config"};
    std::filesystem::path file = dir / "config.bin";
    ConfigStore store{file};
};

TEST_F(ConfigStoreTest, LoadsAWholeFileAndKeepsItsFlagUntilTheNextSave) {
    TempDir::put(file, configFile(0, 0x5A));
    ASSERT_EQ(store.LoadConfig(), ConfigStore::LoadResult::Loaded);
    EXPECT_EQ(store.firstRunFlag(), 0);
    EXPECT_EQ(store.record().bytes()[0], 0x5A);
    EXPECT_EQ(store.record().bytes()[ConfigRecord::kSize - 1], 0x5A);

    store.record().setReportRate(8);
    ASSERT_EQ(store.SaveConfig(), ConfigStore::SaveResult::Saved);
    EXPECT_EQ(store.firstRunFlag(), 0) << "the flag is only read at start";
    std::string expected = configFile(1, 0x5A);
    expected[1 + 1925] = 8;
    EXPECT_EQ(TempDir::take(file), expected);

    ConfigStore again(file);
    ASSERT_EQ(again.LoadConfig(), ConfigStore::LoadResult::Loaded);
    EXPECT_EQ(again.firstRunFlag(), 1);
    EXPECT_EQ(again.record(), store.record());
}

TEST_F(ConfigStoreTest, FilesOfAnotherSizeAreIgnoredWithAReason) {
    for (std::size_t size : {std::size_t{0}, ConfigStore::kFileSize - 1, ConfigStore::kFileSize + 1}) {
        TempDir::put(file, std::string(size, '\x07'));
        EXPECT_EQ(store.LoadConfig(), ConfigStore::LoadResult::WrongSize) << size;
        EXPECT_EQ(store.record(), ConfigRecord{}) << size;
        EXPECT_NE(store.lastError().find("has " + std::to_string(size) + " bytes instead of 2042"), std::string::npos)
            << store.lastError();
    }
}

TEST_F(ConfigStoreTest, AMissingFileIsReportedAndNeverCreated) {
    store.record().setReportRate(4);
    EXPECT_EQ(store.LoadConfig(), ConfigStore::LoadResult::Missing);
    EXPECT_EQ(store.record().reportRate(), 4) << "the record stays as it was";
    EXPECT_EQ(store.lastError(), file.string() + " does not exist");
    EXPECT_EQ(store.SaveConfig(), ConfigStore::SaveResult::Missing);
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(ConfigStoreTest, ADanglingLinkIsCalledOne) {
    std::filesystem::create_symlink(dir / "gone.bin", file);
    EXPECT_EQ(store.LoadConfig(), ConfigStore::LoadResult::Missing);
    EXPECT_EQ(store.lastError(), file.string() + " is a dangling link: the file it names does not exist");
    EXPECT_EQ(store.SaveConfig(), ConfigStore::SaveResult::Missing);
    EXPECT_FALSE(std::filesystem::exists(dir / "gone.bin")) << "nothing is created through the link";
}

TEST_F(ConfigStoreTest, ADirectoryInPlaceOfTheFileIsUnreadable) {
    std::filesystem::create_directory(file);
    store.record().setReportRate(2);
    EXPECT_EQ(store.LoadConfig(), ConfigStore::LoadResult::Unreadable);
    EXPECT_EQ(store.record().reportRate(), 2);
    EXPECT_EQ(store.SaveConfig(), ConfigStore::SaveResult::Failed);
    EXPECT_TRUE(std::filesystem::is_directory(file));
}

TEST_F(ConfigStoreTest, AnUnreadFileStaysUnreadUntilItCanBeReadAndIsThenTakenIn) {
    std::filesystem::create_directory(file);
    ASSERT_EQ(store.LoadConfig(), ConfigStore::LoadResult::Unreadable);
    store.UseDefaultsForUnreadableFile();
    EXPECT_TRUE(store.fileUnread());
    EXPECT_EQ(store.record(), vexo::FactoryRecord());
    store.record().setReportRate(2);
    EXPECT_FALSE(store.MergeChangesOnDisk().changedOnDisk);
    EXPECT_TRUE(store.fileUnread());
    EXPECT_EQ(store.lastError(), file.string() + " is not a regular file");

    std::filesystem::remove(file);
    TempDir::put(file, configFile(1, 0x44));
    const ConfigStore::MergeResult merged = store.MergeChangesOnDisk();
    EXPECT_TRUE(merged.changedOnDisk);
    EXPECT_FALSE(store.fileUnread());
    EXPECT_EQ(store.record().reportRate(), 2) << "the user's change stays";
    EXPECT_EQ(store.record().bytes()[0], 0x44) << "the file's settings replace the defaults";
    EXPECT_EQ(store.record().macro(3)[5], 0x44);
}

TEST_F(ConfigStoreTest, ASaveInterruptedAtAnyStepLeavesTheOldFileWhole) {
    const std::string old = configFile(0, 0x33);
    TempDir::put(file, old);
    ASSERT_EQ(store.LoadConfig(), ConfigStore::LoadResult::Loaded);
    store.record().setReportRate(2);
    for (const char* step : {"open", "write", "sync", "close", "rename"}) {
        AtomicFile::setFaultHook([step](const char* s) { return std::strcmp(s, step) == 0 ? ENOSPC : 0; });
        EXPECT_EQ(store.SaveConfig(), ConfigStore::SaveResult::Failed) << step;
        AtomicFile::setFaultHook(nullptr);
        EXPECT_EQ(TempDir::take(file), old) << step;
        EXPECT_EQ(store.lastErrno(), ENOSPC) << step;
        EXPECT_FALSE(store.lastError().empty()) << step;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path), {}), 1) << "temporary file left";
    }
    EXPECT_EQ(store.SaveConfig(), ConfigStore::SaveResult::Saved);
    EXPECT_EQ(store.lastErrno(), 0);
    EXPECT_EQ(TempDir::take(file)[1 + 1925], 2);
}

TEST_F(ConfigStoreTest, SnapshotsCopyTheWholeRecordBothWays) {
    store.record().setLightingMode(3);
    store.record().macro(10)[127] = 9;
    store.TakeSnapshot();
    EXPECT_EQ(store.snapshot(), store.record());
    store.record().setFunctionCode(KeyMode::B, 7, 13);
    store.record().macro(10)[127] = 1;
    EXPECT_NE(store.snapshot(), store.record());
    store.RestoreSnapshot();
    EXPECT_EQ(store.record().functionCode(KeyMode::B, 7), 0);
    EXPECT_EQ(store.record().macro(10)[127], 9);
    EXPECT_EQ(store.record().lightingMode(), 3);
}

} // namespace

namespace {

TEST_F(ConfigStoreTest, ADamagedFileIsKeptAsideNeverOverwritingAnEarlierCopyAndTheDefaultsAreUsed) {
    const std::string damaged(100, '\x42');
    TempDir::put(file, damaged);
    ASSERT_EQ(store.LoadConfig(), ConfigStore::LoadResult::WrongSize);
    const std::filesystem::path kept = store.RecoverFromDamagedFile();
    EXPECT_EQ(kept, dir / "config.bin.damaged");
    EXPECT_EQ(TempDir::take(kept), damaged);
    EXPECT_EQ(store.record().bytes()[ConfigRecord::kReportRate], vexo::FactoryRecord().reportRate());
    EXPECT_TRUE(
        std::equal(store.record().bytes().begin(), store.record().bytes().end(), vexo::FactoryRecord().bytes().begin()))
        << "the delivered defaults, not zeros";
    EXPECT_FALSE(store.isFirstRun()) << "the labels in str.ini stay the user's";

    // The same damaged file at the next start is not kept twice.
    ConfigStore again(file);
    ASSERT_EQ(again.LoadConfig(), ConfigStore::LoadResult::WrongSize);
    EXPECT_EQ(again.RecoverFromDamagedFile(), kept);
    EXPECT_FALSE(std::filesystem::exists(dir / "config.bin.damaged.1"));

    // Saving replaces config.bin, and the copy stays; a later damaged file goes beside it.
    ASSERT_EQ(store.SaveConfig(), ConfigStore::SaveResult::Saved);
    EXPECT_EQ(std::filesystem::file_size(file), ConfigStore::kFileSize);
    EXPECT_EQ(TempDir::take(kept), damaged);
    TempDir::put(file, std::string(5000, '\x17'));
    ConfigStore later(file);
    ASSERT_EQ(later.LoadConfig(), ConfigStore::LoadResult::WrongSize);
    EXPECT_EQ(later.RecoverFromDamagedFile(), dir / "config.bin.damaged.1");
    EXPECT_EQ(TempDir::take(kept), damaged) << "an earlier copy was overwritten";
    EXPECT_EQ(TempDir::take(dir / "config.bin.damaged.1"), std::string(5000, '\x17'));
}

TEST_F(ConfigStoreTest, ChangesSavedByAnotherProgramAreTakenInWhereTheRecordKeptTheOldValue) {
    std::string original = configFile(1, 0);
    TempDir::put(file, original);
    ASSERT_EQ(store.LoadConfig(), ConfigStore::LoadResult::Loaded);
    EXPECT_FALSE(store.MergeChangesOnDisk().changedOnDisk);

    // Here: the report rate and macro 2 are edited. There: the DPI value of stage 1, macro 1, macro 2
    // and the report rate.
    store.record().setReportRate(2);
    store.record().macro(2)[5] = 0x11;
    std::string theirs = original;
    theirs[1 + ConfigRecord::kDpiValues] = 7;
    theirs[1 + ConfigRecord::kMacroArea + 3] = 0x22;
    theirs[1 + ConfigRecord::kMacroArea + ConfigRecord::kMacroSize + 9] = 0x33;
    theirs[1 + ConfigRecord::kReportRate] = 4;
    TempDir::put(file, theirs);
    const ConfigStore::MergeResult merged = store.MergeChangesOnDisk();
    EXPECT_TRUE(merged.changedOnDisk);
    EXPECT_EQ(merged.conflicts, 2u) << "the rate and macro 2";
    EXPECT_EQ(store.record().dpiValues()[0], 7);
    EXPECT_EQ(store.record().macro(1)[3], 0x22);
    EXPECT_EQ(store.record().macro(2)[5], 0x11) << "macro 2 stays whole as edited here";
    EXPECT_EQ(store.record().macro(2)[9], 0) << "no half of their macro 2";
    EXPECT_EQ(store.record().reportRate(), 2);
    // The file's content is now what later merges start from.
    EXPECT_FALSE(store.MergeChangesOnDisk().changedOnDisk);
}

} // namespace
