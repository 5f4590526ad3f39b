// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <random>

#include "config/factory_record.h"
#include "config/settings_vocabulary.h"
#include "config/temp_dir.h"
#include "device/changed_blocks.h"
#include "device/settings_sync.h"
#include "device/sim_rig.h"

namespace vexo::test {
namespace {

// A simulated mouse with its own data folder and sync, brought in line with a record by a full Apply.
struct SyncedMouse {
    explicit SyncedMouse(const std::string& name, const ConfigRecord& applied) : dir(name) {
        TempDir::put(dir / "config.bin", std::string(ConfigStore::kFileSize, '\0'));
        EXPECT_EQ(store.LoadConfig(), ConfigStore::LoadResult::Loaded);
        settings.m_strStrIniPath = dir / "str.ini";
        settings.m_strSettingSection = "Setting-EN";
        EXPECT_TRUE(rig.connect());
        EXPECT_TRUE(sync.ConnectSensor());
        store.record() = applied;
        EXPECT_TRUE(sync.ApplyConfig().complete());
        rig.traceAll();
        rig.pauser.clear();
    }
    TempDir dir;
    SimRig rig{3};
    ConfigStore store{dir / "config.bin"};
    IniSettings settings;
    SettingsSync sync{rig.session, store, settings, rig.prompter};
};

// The record the mice start from: factory settings with Neon lighting flashing, so that lighting,
// LED set 0 and every stage colour have something to lose.
ConfigRecord StartRecord() {
    ConfigRecord record = FactoryRecord();
    record.setLightingMode(lighting_mode::Neon);
    record.setLightingParameter1(lighting_mode::Neon, 4);
    record.setLightingParameter2(lighting_mode::Neon, 2);
    for (std::size_t stage = 0; stage < ConfigRecord::kDpiStages; ++stage)
        record.setDpiColour(stage, {static_cast<std::uint8_t>(30 * stage), 0x40, 0x80});
    return record;
}

// Sends after to one mouse as a change from before and to another whole; both must end alike and
// the changed one's file holds after. Returns the pauses of the change.
class ChangeAgainstFullApply {
public:
    explicit ChangeAgainstFullApply(const ConfigRecord& before)
        : before_(before), changed_("partial-a", before), whole_("partial-b", before),
          applied_(changed_.rig.mouse->blocks()) {}

    unsigned check(const ConfigRecord& after, const std::string& what) {
        // Both mice start from the state the full Apply of before left.
        for (SyncedMouse* mouse : {&changed_, &whole_}) {
            mouse->rig.mouse->setBlocks(applied_);
            mouse->rig.pauser.clear();
            mouse->rig.trace.clear();
            mouse->store.record() = after;
        }
        const auto partial = changed_.sync.ApplyChanges(before_);
        const auto full = whole_.sync.ApplyConfig();
        EXPECT_TRUE(partial.complete()) << what;
        EXPECT_TRUE(full.complete()) << what;
        EXPECT_EQ(partial.configSaved, ConfigStore::SaveResult::Saved) << what;
        EXPECT_TRUE(changed_.rig.mouse->blocks() == whole_.rig.mouse->blocks()) << what;
        ConfigStore reread(changed_.dir / "config.bin");
        EXPECT_EQ(reread.LoadConfig(), ConfigStore::LoadResult::Loaded);
        EXPECT_TRUE(reread.record() == after) << what;
        EXPECT_LE(changed_.rig.pauser.totalMilliseconds(), whole_.rig.pauser.totalMilliseconds()) << what;
        return changed_.rig.pauser.totalMilliseconds();
    }

private:
    ConfigRecord before_;
    SyncedMouse changed_;
    SyncedMouse whole_;
    DeviceImage applied_;
};

// Values tried on every name; each one a name accepts and that changes it is one case.
const std::vector<std::string> kCandidates{"single-key:B",
                                           "combo-key:Left Ctrl+Shift+Z",
                                           "fire-key:A/32/1",
                                           "dpi:loop",
                                           "windows:Calculator",
                                           "multimedia:Mute",
                                           "key-off",
                                           "right-click",
                                           "macro:Reload/until-released",
                                           "b",
                                           "125",
                                           "1000",
                                           "800",
                                           "1600",
                                           "row-3",
                                           "yes",
                                           "no",
                                           "#ff5500",
                                           "#000000",
                                           "standard",
                                           "respiration",
                                           "neon",
                                           "5%",
                                           "100%",
                                           "8s",
                                           "4s",
                                           "0.5s",
                                           "15s",
                                           "flash",
                                           "fixed",
                                           "1",
                                           "11",
                                           "a label"};

TEST(PartialApplyTest, EveryNameSentAloneEndsLikeAFullApply) {
    const ConfigRecord start = StartRecord();
    SettingsState base;
    base.record = start;
    base.language = "EN";
    base.sensorType = 3;
    base.macroNames = {"Reload"};
    ChangeAgainstFullApply compare(start);
    int cases = 0;
    for (const std::string& name : SettingsVocabulary::Names()) {
        int values = 0;
        // Up to three values a name takes and that change it; names that leave the record alone
        // (labels, skin, language) send nothing and are checked as such too.
        for (auto value = kCandidates.begin(); value != kCandidates.end() && values < 3; ++value) {
            SettingsState state = base;
            if (!SettingsVocabulary::Apply(state, {{name, *value}}).empty())
                continue;
            if (SettingsVocabulary::Get(state, name) == SettingsVocabulary::Get(base, name))
                continue;
            ++values;
            const unsigned pauses = compare.check(state.record, name + "=" + *value);
            if (state.record == start) {
                EXPECT_EQ(pauses, 0u) << name;
            }
        }
        cases += values;
    }
    // Every kind of block is reached: buttons, DPI, colours, lighting, report rate.
    EXPECT_GT(cases, 100);
}

TEST(PartialApplyTest, RandomEditsOfTheRecordEndLikeAFullApply) {
    // Macros, key fields and bytes no name reaches: whatever part of the record changes.
    std::mt19937 random(26);
    const ConfigRecord start = StartRecord();
    ChangeAgainstFullApply compare(start);
    for (int round = 0; round < 100; ++round) {
        ConfigRecord after = start;
        const int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits; ++e)
            after.bytes()[random() % ConfigRecord::kSize] = static_cast<std::uint8_t>(random());
        compare.check(after, "round " + std::to_string(round));
    }
}

TEST(PartialApplyTest, OneValueCostsOnlyItsOwnBlocksPauses) {
    const ConfigRecord start = StartRecord();
    ChangeAgainstFullApply compare(start);
    SettingsState state;
    state.record = start;
    state.sensorType = 3;
    state.language = "EN";
    SettingsState dpi = state;
    ASSERT_TRUE(SettingsVocabulary::Apply(dpi, {{"dpi.2", "800"}}).empty());
    EXPECT_EQ(compare.check(dpi.record, "dpi"), 3u); // one block report
    SettingsState colour = state;
    ASSERT_TRUE(SettingsVocabulary::Apply(colour, {{"dpi.2.colour", "#123456"}}).empty());
    EXPECT_EQ(compare.check(colour.record, "colour"), 5u); // colour block 1 alone
    SettingsState button = state;
    ASSERT_TRUE(SettingsVocabulary::Apply(button, {{"button.2.a", "single-key:B"}}).empty());
    EXPECT_EQ(compare.check(button.record, "button"), 8u); // key matrix 1 alone
    SettingsState rate = state;
    ASSERT_TRUE(SettingsVocabulary::Apply(rate, {{"report-rate", "125"}}).empty());
    EXPECT_EQ(compare.check(rate.record, "rate"), 0u);
    SettingsState lighting = state;
    ASSERT_TRUE(SettingsVocabulary::Apply(lighting, {{"lighting.mode", "standard"}}).empty());
    EXPECT_EQ(compare.check(lighting.record, "lighting"), 8u); // LED sets read and written
    SettingsState pointer = state;
    ASSERT_TRUE(SettingsVocabulary::Apply(pointer, {{"pointer.speed", "11"}}).empty());
    EXPECT_EQ(compare.check(pointer.record, "pointer"), 0u); // the desktop's, not the mouse's
}

TEST(PartialApplyTest, TheChangedDpiStageGoesOutAsTheDpiBlockAlone) {
    const ConfigRecord start = StartRecord();
    SettingsState state;
    state.record = start;
    state.sensorType = 3;
    ASSERT_TRUE(SettingsVocabulary::Apply(state, {{"dpi.2", "800"}}).empty());
    SyncedMouse mouse("partial-dpi", start);
    mouse.store.record() = state.record;
    ASSERT_TRUE(mouse.sync.ApplyChanges(start).complete());
    ASSERT_EQ(mouse.rig.trace.size(), 3u);
    EXPECT_TRUE(mouse.rig.trace[0].starts_with("SET 11 80 08")) << mouse.rig.trace[0];
    EXPECT_TRUE(mouse.rig.trace[1].starts_with("OUT")) << mouse.rig.trace[1];
    EXPECT_EQ(mouse.rig.trace[2], "PAUSE 3");
}

TEST(PartialApplyTest, AFailedLightingReadLeavesTheMouseLightingAloneAndSendsTheRest) {
    const ConfigRecord start = StartRecord();
    ConfigRecord after = start;
    after.setLightingMode(lighting_mode::Standard);
    after.dpiValues()[0] = static_cast<std::uint8_t>(start.dpiValues()[0] + 1);
    SyncedMouse mouse("partial-misread", start);
    const DeviceImage before = mouse.rig.mouse->blocks();
    mouse.store.record() = after;
    SimFaults faults;
    faults.answeredIndex = 5; // the LED sets come back as another set's
    mouse.rig.mouse->setFaults(faults);
    const auto result = mouse.sync.ApplyChanges(start);
    EXPECT_FALSE(result.readBack);
    EXPECT_FALSE(result.complete());
    const DeviceImage now = mouse.rig.mouse->blocks();
    EXPECT_EQ(now.lighting, before.lighting);
    EXPECT_EQ(now.ledSets, before.ledSets);
    EXPECT_NE(now.dpi, before.dpi);
}

} // namespace
} // namespace vexo::test
