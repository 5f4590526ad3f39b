// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// Settings by name: every name reads back what was set, buttons end as the dialogs' helpers leave
// them, and a refused set changes nothing.
#include "config/settings_vocabulary.h"

#include <gtest/gtest.h>

#include <functional>

#include "config/button_parameters.h"
#include "config/factory_record.h"
#include "config/ui_texts.h"

namespace vexo {
namespace {

SettingsState Factory() {
    SettingsState s;
    s.record = FactoryRecord();
    s.language = "EN";
    s.skin = "Default";
    s.macroNames = {"Reload", "Jump/Duck", "Build"};
    s.sensorType = 3;
    return s;
}

std::vector<std::string> Set(SettingsState& s, std::vector<SettingAssignment> list) {
    return SettingsVocabulary::Apply(s, list);
}

TEST(SettingsVocabularyTest, EveryNameReadsBackWhatWasSet) {
    SettingsState s = Factory();
    const std::vector<SettingAssignment> values{
        {"mode", "b"},
        {"button.1.a", "right-click"},
        {"button.2.a", "single-key:B"},
        {"button.3.b", "combo-key:Left Ctrl+Shift+Z"},
        {"button.4.a", "combo-key:Right Alt+Num +"},
        {"button.5.a", "macro:Reload/until-released"},
        {"button.5.b", "macro:Jump/Duck/counted"},
        {"button.6.a", "dpi:loop"},
        {"button.6.b", "fire-key:L-CTRL/5/0"},
        {"button.7.a", "windows:Calculator"},
        {"button.7.b", "multimedia:Mute"},
        {"button.8.a", "key-off"},
        {"button.8.b", "shift"},
        {"label.12.b", "my label é"},
        {"report-rate", "500"},
        {"dpi.3", "1600"},
        {"dpi.3.enabled", "no"},
        {"dpi.3.colour", "#ff5500"},
        {"dpi.8", "row-2"},
        {"lighting.mode", "neon"},
        {"lighting.standard", "35%"},
        {"lighting.respiration", "5s"},
        {"lighting.neon", "7.5s"},
        {"lighting.neon.effect", "fixed"},
        {"pointer.precision", "yes"},
        {"pointer.scroll-screen", "yes"},
        {"pointer.speed", "11"},
        {"pointer.wheel", "1"},
        {"pointer.double-click", "4"},
        {"skin", "Blue Steel"},
        {"language", "cht"},
    };
    // Names and values of the lists may have changed; only spell out those that exist.
    for (const auto& v : values) {
        SettingsState one = Factory();
        const auto errors = Set(one, {v});
        ASSERT_TRUE(errors.empty()) << v.name << "=" << v.value << ": " << (errors.empty() ? "" : errors[0]);
        const auto got = SettingsVocabulary::Get(one, v.name);
        ASSERT_TRUE(got) << v.name;
        // dpi.8 = row-2 reads back as the row's value with a known sensor.
        if (v.name != "dpi.8") {
            EXPECT_EQ(*got, v.value) << v.name;
        }
    }
    ASSERT_TRUE(Set(s, values).empty());
    for (const std::string& name : SettingsVocabulary::Names())
        EXPECT_TRUE(SettingsVocabulary::Get(s, name)) << name;
}

TEST(SettingsVocabularyTest, ButtonsEndAsTheDialogHelpersLeaveThem) {
    const UiTexts texts = SelectTexts("EN");
    struct Case {
        std::string value;
        std::function<void(SettingsState&)> expected;
    };
    const auto labels = [](SettingsState& s) { return ButtonLabels{s.labelsA[1], s.labelsB[1]}; };
    const std::vector<Case> cases{
        {"single-key:B", [&](SettingsState& s) { AssignSingleKey(s.record, KeyMode::A, 1, "B", texts, labels(s)); }},
        {"combo-key:Left Ctrl+Shift+Z",
         [&](SettingsState& s) {
             AssignComboKey(s.record, KeyMode::A, 1, {"Left Ctrl", "Shift", "Z"}, texts, labels(s));
         }},
        {"macro:Build/until-any-key",
         [&](SettingsState& s) {
             AssignMacroKey(s.record, KeyMode::A, 1, {2, 2, "Build"}, texts, labels(s));
         }},
        {"fire-key:A/40/3",
         [&](SettingsState& s) {
             AssignFireKey(s.record, KeyMode::A, 1, {0, "A", 40, 3}, texts, labels(s));
         }},
        {"multimedia:Mute",
         [&](SettingsState& s) {
             AssignMultimedia(s.record, KeyMode::A, 1, {4, "Mute"}, texts, labels(s));
         }},
        {"triple-click",
         [&](SettingsState& s) {
             AssignPlainFunction(s.record, KeyMode::A, 1, function_code::TripleClick, texts, labels(s));
         }},
        {"dpi:shift",
         [&](SettingsState& s) { AssignDpiFunction(s.record, KeyMode::A, 1, dpi_function::Shift, s.labelsA[1]); }},
    };
    for (const Case& c : cases) {
        SettingsState byName = Factory();
        SettingsState byHelper = Factory();
        // A Shift button first, so the rule that such a button leaves Shift in both modes is covered.
        ASSERT_TRUE(Set(byName, {{"button.2.a", "shift"}}).empty());
        ASSERT_TRUE(Set(byHelper, {{"button.2.a", "shift"}}).empty());
        ASSERT_TRUE(Set(byName, {{"button.2.a", c.value}}).empty()) << c.value;
        c.expected(byHelper);
        EXPECT_TRUE(byName.record == byHelper.record) << c.value;
        EXPECT_EQ(byName.labelsA, byHelper.labelsA) << c.value;
        EXPECT_EQ(byName.labelsB, byHelper.labelsB) << c.value;
    }
}

TEST(SettingsVocabularyTest, LabelsFollowTheLanguage) {
    SettingsState s = Factory();
    s.language = "CHS";
    ASSERT_TRUE(Set(s, {{"button.1.a", "single-key:B"}}).empty());
    EXPECT_EQ(s.labelsA[0], SelectTexts("CHS").m_strSingleKey + "-B");
}

TEST(SettingsVocabularyTest, RefusedSetsChangeNothingAndSayWhatIsAllowed) {
    struct Case {
        SettingAssignment bad;
        std::string mentions;
    };
    const std::vector<Case> cases{
        {{"button.9.a", "left-click"}, "button.N.a"},
        {{"button.1.c", "left-click"}, "unknown name"},
        {{"button.01.a", "left-click"}, "unknown name"},
        {{"colour", "#000000"}, "report-rate"},
        {{"button.1.a", "jump"}, "single-key:KEY"},
        {{"button.1.a", "single-key:b"}, "key name"},
        {{"button.1.a", "combo-key:Left Ctrl+Left Ctrl"}, "Right Win"},
        {{"button.1.a", "macro:Nope/counted"}, "Reload, Jump/Duck, Build"},
        {{"button.1.a", "fire-key:A/4/1"}, "SPEED 5-255"},
        {{"button.1.a", "fire-key:A/5/256"}, "TIMES 0-255"},
        {{"button.1.a", "windows:Nothing"}, "Calculator"},
        {{"button.1.a", "dpi:sideways"}, "up, down, loop, shift"},
        {{"button.2.a", "shift"}, "one per mode"},
        {{"dpi.3", "1601"}, "1600"},
        {{"dpi.3", "row-99"}, "row-R"},
        {{"dpi.0", "800"}, "unknown name"},
        {{"dpi.3.enabled", "true"}, "yes or no"},
        {{"dpi.3.colour", "#ff550"}, "#rrggbb"},
        {{"dpi.3.colour", "#gg5500"}, "#rrggbb"},
        {{"report-rate", "300"}, "125, 250, 500, 1000"},
        {{"lighting.mode", "off"}, "standard, respiration, neon"},
        {{"lighting.neon", "16s"}, "15s"},
        {{"pointer.speed", "0"}, "1 to 11"},
        {{"pointer.wheel", "12"}, "1 to 11"},
        {{"label.1.a", "two\nlines"}, "control characters"},
        {{"label.1.a", "caf\xe9"}, "UTF-8"},
        {{"label.1.a", std::string(1024, 'x')}, "1023 characters"},
        {{"skin", ""}, "skin name"},
        {{"language", "EN"}, "en, chs, cht"},
    };
    for (const Case& c : cases) {
        SettingsState s = Factory();
        ASSERT_TRUE(Set(s, {{"button.1.b", "shift"}}).empty());
        const SettingsState before = s;
        // A valid assignment before the bad one must not be kept either.
        const auto errors = Set(s, {{"report-rate", "125"}, c.bad});
        ASSERT_EQ(errors.size(), 1u) << c.bad.name << "=" << c.bad.value;
        EXPECT_NE(errors[0].find(c.bad.name + ":"), std::string::npos) << errors[0];
        EXPECT_NE(errors[0].find(c.mentions), std::string::npos) << errors[0];
        EXPECT_TRUE(s.record == before.record) << c.bad.name;
        EXPECT_EQ(s.labelsA, before.labelsA);
        EXPECT_EQ(s.labelsB, before.labelsB);
    }
}

TEST(SettingsVocabularyTest, DpiValuesNeedTheSensorTypeButRowsDoNot) {
    SettingsState s = Factory();
    s.sensorType.reset();
    const auto errors = Set(s, {{"dpi.1", "1600"}});
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("--sensor"), std::string::npos);
    ASSERT_TRUE(Set(s, {{"dpi.1", "row-7"}}).empty());
    EXPECT_EQ(SettingsVocabulary::Get(s, "dpi.1"), "row-7");
}

TEST(SettingsVocabularyTest, AssignmentsSplitAtTheFirstEquals) {
    const auto a = SettingsVocabulary::ParseAssignment("label.1.a=a=b");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->name, "label.1.a");
    EXPECT_EQ(a->value, "a=b");
    EXPECT_FALSE(SettingsVocabulary::ParseAssignment("=x"));
    EXPECT_FALSE(SettingsVocabulary::ParseAssignment("dpi.1"));
}

} // namespace
} // namespace vexo
