// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <sstream>

#include "config/dpi_table.h"
#include "config/factory_record.h"
#include "config/key_entry.h"
#include "config/profile_ini.h"
#include "config/temp_dir.h"
#include "config/ui_texts.h"
#include "device/settings_sync.h"
#include "device/sim_rig.h"
#include "support/lock_holder.h"
#include "support/threads_cannot_start.h"

namespace vexo::test {
namespace {

// One command as the trace shows it: its opcode and packet byte 1.
using Command = std::pair<int, int>;

std::vector<std::uint8_t> bytesOf(const std::string& line) {
    std::istringstream in(line.substr(line.find(' ') + 1));
    std::vector<std::uint8_t> bytes;
    std::string hex;
    while (in >> hex)
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(hex, nullptr, 16)));
    return bytes;
}

// What Apply must send, in order, built here from the protocol's description rather than from the
// code under test: every SET with its index byte, every pause.
std::vector<std::string> expectedApplySkeleton() {
    std::vector<std::string> out;
    const auto set = [&](int op, int index) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "SET %02X %02X", op, index);
        out.emplace_back(buf);
    };
    const auto pause = [&](int ms) { out.push_back("PAUSE " + std::to_string(ms)); };
    const auto outs = [&](int reports) {
        for (int i = 0; i < reports; ++i)
            out.emplace_back("OUT"), pause(3);
    };
    set(0x01, -1); // byte 1 is the rate: checked separately
    set(0x8D, 0);
    for (int i : {0, 1})
        set(0x87, i), pause(2);
    for (int i : {0, 1, 2})
        set(0x90, i), pause(2);
    set(0x10, 0), outs(1), pause(2);
    set(0x10, 1), outs(1), pause(2);
    set(0x10, 2), outs(1), pause(2);
    for (int i : {0, 1})
        set(0x07, i), pause(2);
    set(0x0D, -1);
    set(0x11, 0x80), outs(1);
    for (int m = 1; m <= 10; ++m)
        set(0x13, m), outs(4), pause(2);
    for (int m = 1; m <= 4; ++m)
        set(0x12, m), outs(2), pause(2);
    return out;
}

// The trace reduced to the same skeleton (GET and IN lines are the mouse's answers).
std::vector<std::string> skeletonOf(const std::vector<std::string>& trace) {
    std::vector<std::string> out;
    for (const auto& line : trace) {
        if (line.starts_with("SET")) {
            const auto b = bytesOf(line);
            const bool variable = b[0] == 0x01 || b[0] == 0x0D;
            char buf[16];
            std::snprintf(buf, sizeof buf, "SET %02X %02X", b[0], variable ? -1 : b[1]);
            out.emplace_back(buf);
        } else if (line.starts_with("OUT")) {
            out.emplace_back("OUT");
        } else if (line.starts_with("PAUSE")) {
            out.push_back(line);
        }
    }
    return out;
}

class SettingsSyncTest : public ::testing::Test {
protected:
    void SetUp() override {
        TempDir::put(dir / "config.bin", std::string(ConfigStore::kFileSize, '\0'));
        ASSERT_EQ(store.LoadConfig(), ConfigStore::LoadResult::Loaded); // a first run
        settings.m_strStrIniPath = dir / "str.ini";
        settings.m_strSettingSection = "Setting-EN";
        store.record() = FactoryRecord();
        ASSERT_TRUE(rig.connect());
        rig.traceAll();
        rig.pauser.clear();
        rig.mouse->clearExchanges();
    }
    TempDir dir{"sync"};
    SimRig rig{3};
    ConfigStore store{dir / "config.bin"};
    IniSettings settings;
    RecordingPrompter prompter;
    SettingsSync sync{rig.session, store, settings, prompter};
};

TEST_F(SettingsSyncTest, ConnectingReadsTheSensorAndSetsTheConnectBit) {
    DeviceImage blocks = rig.mouse->blocks();
    blocks.sensor = {2, 0x12, 0x34, 0x85};
    rig.mouse->setBlocks(blocks);
    sync.SyncOnConnect(SelectTexts("EN"));
    EXPECT_EQ(rig.mouse->blocks().sensor, (std::array<std::uint8_t, 4>{2, 0x12, 0x34, 0xC5}));
    EXPECT_EQ(sync.sensorType(), 2);
    EXPECT_TRUE(sync.oneTimeDone());
    ASSERT_EQ(rig.trace.size(), 3u);
    EXPECT_TRUE(rig.trace[0].starts_with("SET 83"));
    EXPECT_EQ(bytesOf(rig.trace[2]),
              (std::vector<std::uint8_t>{0x03, 2, 0x12, 0x34, 0xC5, 0, 0, bytesOf(rig.trace[2])[7]}));
    // First run (flag 0): the default labels are written at once.
    const ProfileIni ini(dir / "str.ini");
    EXPECT_EQ(ini.readString("Setting-EN", "Item1"), "Left Click");
    EXPECT_EQ(ini.readString("Setting-EN", "Item73"), "DPI -");
    EXPECT_EQ(ini.readString("Setting-EN", "Item83"), "Single Key-V");
}

TEST_F(SettingsSyncTest, TheLatestReadingOfTheSensorTypeWinsWhoeverReadIt) {
    // An arrival reads type 3; the mouse then reports type 1 when the first showing reads it.
    rig.session.handleDeviceChange(
        DeviceChange{DeviceChange::Kind::Arrival, "sim/hidraw2", HidLink::kVendorId, HidLink::kProductId});
    ASSERT_EQ(sync.sensorType(), 3);
    DeviceImage blocks = rig.mouse->blocks();
    blocks.sensor[DeviceImage::kSensorTypeByte] = 1;
    rig.mouse->setBlocks(blocks);
    sync.SyncOnConnect(SelectTexts("EN"));
    EXPECT_EQ(sync.sensorType(), 1);
    EXPECT_EQ(store.sensorType(), 1);
    EXPECT_EQ(rig.session.sensorType(), 1);
}

TEST_F(SettingsSyncTest, NoFirstRunLabelsOnceConfigWasSaved) {
    TempDir::put(dir / "config.bin", std::string(1, '\1') + std::string(ConfigRecord::kSize, '\0'));
    ASSERT_EQ(store.LoadConfig(), ConfigStore::LoadResult::Loaded);
    sync.SyncOnConnect(SelectTexts("EN"));
    EXPECT_FALSE(std::filesystem::exists(dir / "str.ini"));
}

TEST_F(SettingsSyncTest, AConfigBinThatWasNotReadIsNoFirstRunAndKeepsTheUsersLabels) {
    TempDir::put(dir / "str.ini", "[Setting-EN]\r\nItem1=My custom left\r\n");
    for (const std::size_t size : {std::size_t{2041}, std::size_t{2043}, std::size_t{0}}) {
        ConfigStore fresh(dir / "config.bin");
        TempDir::put(dir / "config.bin", std::string(size, '\0'));
        ASSERT_EQ(fresh.LoadConfig(), ConfigStore::LoadResult::WrongSize) << size;
        EXPECT_FALSE(fresh.isFirstRun()) << size;
        SettingsSync other{rig.session, fresh, settings, prompter};
        other.SyncOnConnect(SelectTexts("EN"));
        EXPECT_EQ(ProfileIni(dir / "str.ini").readString("Setting-EN", "Item1"), "My custom left") << size;
    }
    ConfigStore missing(dir / "absent" / "config.bin");
    EXPECT_EQ(missing.LoadConfig(), ConfigStore::LoadResult::Missing);
    EXPECT_FALSE(missing.isFirstRun());
}

TEST_F(SettingsSyncTest, ApplySendsEverythingInOrderForEveryLightingMode) {
    struct Case {
        std::uint8_t mode, parameter1, neonEffect;
    };
    sync.ConnectSensor(); // sensor type 3; before any read the DPI block is built for type 0
    for (const Case c :
         {Case{0, 0, 0}, Case{1, 4, 0}, Case{2, 3, 0}, Case{3, 7, 2}, Case{3, 7, 3}, Case{3, 7, 1}, Case{9, 0, 0}}) {
        SCOPED_TRACE("lighting mode " + std::to_string(c.mode) + " effect " + std::to_string(c.neonEffect));
        const DeviceImage before = rig.mouse->blocks();
        ConfigRecord& r = store.record();
        r.setLightingMode(c.mode);
        if (c.mode >= 1 && c.mode <= 3)
            r.setLightingParameter1(c.mode, c.parameter1);
        r.setLightingParameter2(1, 3); // effects of modes 1 and 2 are never sent
        r.setLightingParameter2(3, c.neonEffect);
        r.setReportRate(4);
        r.setDpiColour(7, {1, 2, 3});
        r.macro(10)[127] = 0x5A;
        rig.trace.clear();
        rig.pauser.clear();

        const auto result = sync.ApplyConfig();
        ASSERT_TRUE(result.sent);
        EXPECT_EQ(result.configSaved, ConfigStore::SaveResult::Saved);
        EXPECT_TRUE(result.labelsSaved);
        EXPECT_EQ(skeletonOf(rig.trace), expectedApplySkeleton());
        EXPECT_EQ(bytesOf(rig.trace[0])[1], 4);

        const DeviceImage after = rig.mouse->blocks();
        std::array<std::uint8_t, 3> lighting = before.lighting;
        auto led0 = before.ledSets[0];
        if (c.mode == 1 || c.mode == 2) {
            lighting = {c.mode, static_cast<std::uint8_t>(c.parameter1 + 1), 2};
            led0[0] = 1;
        } else if (c.mode == 3) {
            lighting = {3, static_cast<std::uint8_t>(c.parameter1 + 1), before.lighting[2]};
            if (c.neonEffect == 2)
                led0 = {2, 250, 10};
            if (c.neonEffect == 3)
                led0 = {3, 5, 5};
        }
        EXPECT_EQ(after.lighting, lighting);
        EXPECT_EQ(after.ledSets[0], led0);
        EXPECT_EQ(after.ledSets[1], before.ledSets[1]);
        EXPECT_EQ(after.colourBlock0, before.colourBlock0);
        EXPECT_EQ(after.colourBlock2, before.colourBlock2);
        EXPECT_EQ(after.colourBlock1[21], 1);
        EXPECT_EQ(after.colourBlock1[0], 255); // factory stage 1 is red
        EXPECT_EQ(after.reportRate, 4);
        EXPECT_EQ(after.dpi, DpiImage(r, 3));
        EXPECT_EQ(after.dpi[0], 0x04); // row 1 of sensor type 3 (500 DPI), on
        EXPECT_EQ(after.macros[9][127], 0x5A);
        EXPECT_EQ(after.keyMatrices[0][12], 0x01); // position 3 holds button 4 (Backward)
        EXPECT_EQ(after.keyMatrices[0][14], 0xF3);
        EXPECT_EQ(after.keyMatrices[1], (std::array<std::uint8_t, 64>{}));
        EXPECT_EQ(after.keyMatrices[2], KeyMatrixImage(r)[2]);
        EXPECT_EQ(after.sensor, before.sensor) << "Apply does not touch the sensor block";
    }
    EXPECT_EQ(TempDir::take(dir / "config.bin")[0], '\1');
}

TEST_F(SettingsSyncTest, ApplyingTwiceSendsTheSameSequenceTwice) {
    // The mouse's answers differ (it now holds what the first Apply wrote); what is written may not.
    const auto writes = [](const std::vector<std::string>& trace) {
        std::vector<std::string> out;
        for (const auto& line : trace)
            if (line.starts_with("OUT") || line.starts_with("PAUSE") ||
                (line.starts_with("SET") && bytesOf(line)[0] < 0x80))
                out.push_back(line);
        return out;
    };
    sync.ApplyConfig();
    const auto first = rig.trace;
    rig.trace.clear();
    sync.ApplyConfig();
    EXPECT_EQ(writes(rig.trace), writes(first));
    EXPECT_EQ(skeletonOf(rig.trace), skeletonOf(first));
    // 24 paused commands and 52 output reports' pauses: 48 + 156 ms.
    unsigned total = 0;
    for (const auto& line : first)
        if (line.starts_with("PAUSE"))
            total += std::stoul(line.substr(6));
    EXPECT_EQ(total, 2u * 24 + 3u * 52);
}

TEST_F(SettingsSyncTest, WithoutAMouseApplyTouchesNothing) {
    rig.mouse->unplug();
    rig.session.link().setMousePresent(0);
    settings.m_strButtonLabelA[0] = "changed";
    const std::string before = TempDir::take(dir / "config.bin");
    const auto result = sync.ApplyConfig();
    EXPECT_FALSE(result.sent);
    EXPECT_TRUE(rig.trace.empty());
    EXPECT_EQ(TempDir::take(dir / "config.bin"), before);
    EXPECT_FALSE(std::filesystem::exists(dir / "str.ini"));
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(SettingsSyncTest, WithoutAThreadToSpareApplySavesAfterTheCommands) {
    settings.m_strButtonLabelA[0] = "saved anyway";
    SettingsSync::ApplyResult result;
    {
        test::ThreadsCannotStart noThreads;
        if (!noThreads.armed())
            GTEST_SKIP() << "the default thread attributes cannot be changed here";
        result = sync.ApplyConfig();
    }
    EXPECT_TRUE(result.sent);
    EXPECT_EQ(result.configSaved, ConfigStore::SaveResult::Saved);
    EXPECT_TRUE(result.labelsSaved);
    EXPECT_EQ(TempDir::take(dir / "config.bin")[0], 1);
    EXPECT_EQ(ProfileIni(dir / "str.ini").readString("Setting-EN", "Item1"), "saved anyway");
}

TEST_F(SettingsSyncTest, SaveProblemsAreReportedAfterTheMouseWasWritten) {
    std::filesystem::remove(dir / "config.bin");
    const auto result = sync.ApplyConfig();
    EXPECT_TRUE(result.sent);
    EXPECT_EQ(result.configSaved, ConfigStore::SaveResult::Missing);
    EXPECT_FALSE(std::filesystem::exists(dir / "config.bin")) << "never created";
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "Config file is not exist.");
    EXPECT_TRUE(result.labelsSaved);
    EXPECT_EQ(ProfileIni(dir / "str.ini").readString("Setting-EN", "Item1"), "");

    std::filesystem::create_directory(dir / "config.bin"); // cannot be replaced by a file
    prompter.shown.clear();
    EXPECT_EQ(sync.ApplyConfig().configSaved, ConfigStore::SaveResult::Failed);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, "NULL ==fp ");

    // Labels that cannot be kept are not lost without a word, at Apply or at a first run.
    std::filesystem::remove(dir / "config.bin");
    TempDir::put(dir / "config.bin", std::string(ConfigStore::kFileSize, '\0'));
    std::filesystem::remove(dir / "str.ini");
    std::filesystem::create_directory(dir / "str.ini");
    prompter.shown.clear();
    EXPECT_FALSE(sync.ApplyConfig().labelsSaved);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(prompter.shown[0].text.starts_with(SettingsSync::kLabelsNotSavedText)) << prompter.shown[0].text;
    EXPECT_NE(prompter.shown[0].text.find("str.ini"), std::string::npos) << prompter.shown[0].text;
    EXPECT_EQ(prompter.shown[0].caption, "VEXO T58");
    prompter.shown.clear();
    sync.SyncOnConnect(SelectTexts("EN"));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(prompter.shown[0].text.starts_with(SettingsSync::kLabelsNotSavedText));
}

TEST_F(SettingsSyncTest, AMouseLostHalfWayStillGetsTheFilesSaved) {
    SimFaults faults;
    faults.unplugAfterSets = 10;
    rig.mouse->setFaults(faults);
    const auto result = sync.ApplyConfig();
    EXPECT_TRUE(result.sent);
    EXPECT_EQ(result.configSaved, ConfigStore::SaveResult::Saved);
    EXPECT_EQ(TempDir::take(dir / "config.bin").size(), ConfigStore::kFileSize);
    // What did not arrive is counted, so that a caller can tell.
    EXPECT_GT(result.failedCalls, 0u);
    EXPECT_LT(result.failedCalls, result.calls);

    rig.mouse->setFaults(SimFaults());
    rig.mouse->plug();
    ASSERT_TRUE(rig.connect());
    const auto whole = sync.ApplyConfig();
    EXPECT_GT(whole.calls, 50u);
    EXPECT_EQ(whole.failedCalls, 0u);
}

TEST_F(SettingsSyncTest, ReadsThatDoNotComeBackAsAskedAreNeverWrittenBackAsZeros) {
    // The mouse's own lighting, LED and colour blocks, which the program only partly owns.
    DeviceImage mine = rig.mouse->blocks();
    mine.lighting = {1, 4, 2};
    mine.ledSets = {{{7, 8, 9}, {10, 11, 12}}};
    for (auto& b : mine.colourBlock0)
        b = 0x42;
    mine.colourBlock2 = {5, 6, 7, 8};
    rig.mouse->setBlocks(mine);
    store.record().setLightingMode(0); // written back as read, when it was read
    const auto colours = store.record().dpiColourBytes();

    SimFaults reads;
    reads.shortRead = 10; // 10 of 33 bytes
    SimFaults gets;
    gets.shortGet = 1;
    SimFaults index;
    index.answeredIndex = 1;
    SimFaults length;
    length.announcedBlockLength = 16;
    for (const SimFaults& faults : {reads, gets, index, length}) {
        rig.mouse->setFaults(faults);
        rig.session.image() = DeviceImage();
        const auto result = sync.ApplyConfig();
        EXPECT_TRUE(result.sent);
        EXPECT_FALSE(result.readBack);
        EXPECT_FALSE(result.complete());
        const DeviceImage after = rig.mouse->blocks();
        EXPECT_EQ(after.lighting, mine.lighting);
        EXPECT_EQ(after.ledSets, mine.ledSets);
        EXPECT_EQ(after.colourBlock0, mine.colourBlock0);
        EXPECT_EQ(after.colourBlock1, mine.colourBlock1);
        EXPECT_EQ(after.colourBlock2, mine.colourBlock2);
        // What does not depend on a read still goes out, and the files are saved.
        if (faults.shortGet < 0) {
            EXPECT_EQ(after.dpi, DpiImage(store.record(), sync.sensorType()));
            EXPECT_EQ(after.keyMatrices, KeyMatrixImage(store.record()));
        }
        EXPECT_EQ(result.configSaved, ConfigStore::SaveResult::Saved);
    }

    rig.mouse->setFaults(SimFaults());
    const auto whole = sync.ApplyConfig();
    EXPECT_TRUE(whole.complete());
    EXPECT_EQ(rig.mouse->blocks().colourBlock0, mine.colourBlock0);
    EXPECT_TRUE(std::equal(colours.begin(), colours.end(), rig.mouse->blocks().colourBlock1.begin()));
}

TEST_F(SettingsSyncTest, ASensorBlockThatIsNotReadWholeIsNotWrittenBack) {
    ASSERT_TRUE(sync.ConnectSensor());
    DeviceImage before = rig.mouse->blocks();
    before.sensor = {1, 0x12, 0x34, 0x05};
    rig.mouse->setBlocks(before);
    SimFaults faults;
    faults.shortGet = 5;
    rig.mouse->setFaults(faults);
    EXPECT_FALSE(sync.ConnectSensor());
    EXPECT_EQ(rig.mouse->blocks().sensor, before.sensor);
    EXPECT_EQ(sync.sensorType(), 3); // the last good reading
    rig.mouse->setFaults(SimFaults());
    EXPECT_TRUE(sync.ConnectSensor());
}

} // namespace
} // namespace vexo::test

namespace vexo::test {
namespace {

TEST_F(SettingsSyncTest, ApplyTakesInWhatAnotherProgramSavedSinceTheFileWasRead) {
    sync.ConnectSensor();
    // Since the load (all zero), the window changed the record to the factory settings, and another
    // program saved macro 1, a reserved byte and a report rate of its own.
    std::string theirs(ConfigStore::kFileSize, '\0');
    theirs[0] = 1;
    for (std::size_t i = 0; i < 6; ++i)
        theirs[1 + ConfigRecord::kMacroArea + i] = "\x00\x03\x05\x04\x80\x04"[i];
    theirs[1 + ConfigRecord::kReservedAfterMacros] = 0x5A;
    theirs[1 + ConfigRecord::kReportRate] = 8;
    TempDir::put(dir / "config.bin", theirs);
    ASSERT_EQ(store.record().macro(1)[0], 0) << "the factory record has no macro 1";

    const SettingsSync::ApplyResult result = sync.ApplyConfig();
    EXPECT_TRUE(result.sent);
    EXPECT_TRUE(result.mergedFromDisk);
    const std::string saved = TempDir::take(dir / "config.bin");
    ASSERT_EQ(saved.size(), ConfigStore::kFileSize);
    EXPECT_EQ(saved.substr(1 + ConfigRecord::kMacroArea, 6), theirs.substr(1 + ConfigRecord::kMacroArea, 6));
    EXPECT_EQ(saved[1 + ConfigRecord::kReservedAfterMacros], 0x5A);
    // Both changed the rate: the window's choice was sent and saved, and the user is told.
    EXPECT_EQ(saved[1 + ConfigRecord::kReportRate], static_cast<char>(FactoryRecord().reportRate()));
    EXPECT_EQ(rig.mouse->blocks().macros[0][1], 3) << "the mouse got the merged macros";
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, SettingsSync::kChangedOnDiskText);

    // Nothing changed since this save: nothing more is taken in and nothing is said.
    const SettingsSync::ApplyResult again = sync.ApplyConfig();
    EXPECT_FALSE(again.mergedFromDisk);
    EXPECT_EQ(prompter.shown.size(), 1u);
}

TEST_F(SettingsSyncTest, ApplyWithTheFolderKeptBusyNeitherSendsNorSaves) {
    const std::string before = TempDir::take(dir / "config.bin");
    // Another program holds the folder's lock for longer than Apply waits.
    LockHolder other(dir.path);
    ASSERT_TRUE(other.held());
    rig.mouse->clearExchanges();
    const SettingsSync::ApplyResult result = sync.ApplyConfig();
    other.release();
    EXPECT_TRUE(result.folderBusy);
    EXPECT_FALSE(result.sent);
    EXPECT_TRUE(rig.mouse->exchanges().empty());
    EXPECT_EQ(TempDir::take(dir / "config.bin"), before);
    EXPECT_FALSE(std::filesystem::exists(dir / "str.ini"));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text.rfind(SettingsSync::kFolderBusyText, 0), 0u) << prompter.shown[0].text;
    EXPECT_NE(prompter.shown[0].text.find("is busy"), std::string::npos);
}

// A config.bin that could not be read holds settings nobody has seen: the delivered ones shown
// in their place are never sent or saved as the user's, however often Apply is pressed.
TEST_F(SettingsSyncTest, ApplyWithAnUnreadConfigBinSendsAndSavesNothingUntilItCanBeRead) {
    sync.ConnectSensor();
    std::filesystem::remove(dir / "config.bin");
    std::filesystem::create_directory(dir / "config.bin");
    ConfigStore unread(dir / "config.bin");
    ASSERT_EQ(unread.LoadConfig(), ConfigStore::LoadResult::Unreadable);
    unread.UseDefaultsForUnreadableFile();
    EXPECT_EQ(unread.record(), FactoryRecord()) << "the delivered settings are shown, not zeros";
    EXPECT_FALSE(unread.isFirstRun());
    SettingsSync other{rig.session, unread, settings, prompter};
    unread.record().setReportRate(2); // the user's one change
    rig.mouse->clearExchanges();
    const DeviceImage before = rig.mouse->blocks();
    for (int press = 0; press < 2; ++press) {
        prompter.shown.clear();
        const SettingsSync::ApplyResult result = other.ApplyConfig();
        EXPECT_TRUE(result.configUnread);
        EXPECT_FALSE(result.sent);
        EXPECT_TRUE(rig.mouse->exchanges().empty()) << "nothing reached the mouse";
        EXPECT_TRUE(std::filesystem::is_directory(dir / "config.bin"));
        EXPECT_FALSE(std::filesystem::exists(dir / "str.ini"));
        ASSERT_EQ(prompter.shown.size(), 1u);
        EXPECT_EQ(prompter.shown[0].text,
                  std::string(SettingsSync::kNothingDoneText) + (dir / "config.bin").string() +
                      " is not a regular file.");
    }
    EXPECT_EQ(rig.mouse->blocks().keyMatrices, before.keyMatrices);

    // Once the file can be read, its settings are taken in wherever the user kept the defaults,
    // and the user's change goes with them.
    std::filesystem::remove(dir / "config.bin");
    std::string saved(ConfigStore::kFileSize, '\0');
    saved[0] = 1;
    saved[1 + ConfigRecord::kMacroArea + 1] = 3;
    saved[1 + ConfigRecord::kReservedAfterMacros] = 0x5A;
    TempDir::put(dir / "config.bin", saved);
    prompter.shown.clear();
    const SettingsSync::ApplyResult result = other.ApplyConfig();
    EXPECT_FALSE(result.configUnread);
    EXPECT_TRUE(result.sent);
    EXPECT_FALSE(unread.fileUnread());
    const std::string now = TempDir::take(dir / "config.bin");
    ASSERT_EQ(now.size(), ConfigStore::kFileSize);
    EXPECT_EQ(now[1 + ConfigRecord::kMacroArea + 1], 3);
    EXPECT_EQ(now[1 + ConfigRecord::kReservedAfterMacros], 0x5A);
    EXPECT_EQ(now[1 + ConfigRecord::kReportRate], 2);
    EXPECT_EQ(rig.mouse->blocks().macros[0][1], 3) << "the mouse got the file's macro";
}

} // namespace
} // namespace vexo::test
