// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// Settings by name against the window's own function dispatch: the same choice, made once through
// the dialogs and once by its name, leaves the same record and labels.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "config/factory_record.h"
#include "config/settings_vocabulary.h"
#include "config/ui_texts.h"
#include "ui/basic/button_function_dispatch.h"
#include "ui/basic/scripted_dialogs.h"

namespace vexo {
namespace {

// Every dialog the dispatch asks answers OK with the prepared choice.
using test::ScriptedDialogs;

struct Choice {
    int row;
    std::string value; // the same choice by name
    std::function<void(ScriptedDialogs&, const std::string& language)> answer;
};

TEST(SettingsByNameTest, EveryFunctionMatchesTheWindowsDispatchInEveryLanguage) {
    const std::vector<Choice> choices{
        {0, "left-click", {}},
        {1, "right-click", {}},
        {2, "middle-click", {}},
        {3, "forward", {}},
        {4, "backward", {}},
        {5, "triple-click", {}},
        {7, "rgb-on-off", {}},
        {15, "key-off", {}},
        {14, "shift", {}},
        {8, "windows:Calculator",
         [](ScriptedDialogs& d, const std::string& l) {
             d.windows = ListPick{2, l == "CHS" ? "计算器" : l == "CHT" ? "計算器" : "Calculator"};
         }},
        {9, "multimedia:Mute",
         [](ScriptedDialogs& d, const std::string& l) {
             d.media = ListPick{4, l == "CHS" ? "静音" : l == "CHT" ? "靜音" : "Mute"};
         }},
        {10, "fire-key:B/20/0",
         [](ScriptedDialogs& d, const std::string&) {
             d.fire = FireKeyPick{1, "B", 20, 0};
         }},
        {11, "single-key:F5", [](ScriptedDialogs& d, const std::string&) { d.single = "F5"; }},
        {12, "combo-key:Left Ctrl+Shift+Z",
         [](ScriptedDialogs& d, const std::string&) {
             d.combo = ComboPick{"Left Ctrl", "Shift", "Z"};
         }},
        {12, "combo-key:Num ++Num -",
         [](ScriptedDialogs& d, const std::string&) {
             d.combo = ComboPick{"", "Num +", "Num -"};
         }},
        {13, "macro:Reload/until-released",
         [](ScriptedDialogs& d, const std::string&) {
             d.macro = MacroPick{1, 3, "Reload"};
         }},
    };
    for (const std::string language : {"EN", "CHS", "CHT"}) {
        for (const Choice& c : choices) {
            for (const bool wasShift : {false, true}) {
                SettingsState byName;
                byName.record = FactoryRecord();
                byName.language = language;
                byName.macroNames = {"Jump", "Reload"};
                for (std::size_t b = 0; b < 8; ++b) {
                    byName.labelsA[b] = "A" + std::to_string(b);
                    byName.labelsB[b] = "B" + std::to_string(b);
                }
                if (wasShift) {
                    ASSERT_TRUE(SettingsVocabulary::Apply(byName, {{"button.3.b", "shift"}}).empty());
                }
                SettingsState byWindow = byName;

                const UiTexts texts = SelectTexts(language);
                ScriptedDialogs dialogs;
                if (c.answer)
                    c.answer(dialogs, language);
                ButtonFunctionDispatch dispatch(byWindow.record, texts, dialogs);
                dispatch.AssignButtonFunction(c.row, 2, KeyMode::B, byWindow.labelsB[2], byWindow.labelsA[2]);

                const auto errors = SettingsVocabulary::Apply(byName, {{"button.3.b", c.value}});
                const std::string where = language + " " + c.value + (wasShift ? " over shift" : "");
                if (c.row == 14 && wasShift) {
                    EXPECT_EQ(errors.size(), 1u) << where << ": the window keeps the button as it was too";
                } else {
                    ASSERT_TRUE(errors.empty()) << where << ": " << errors.front();
                }
                EXPECT_TRUE(byName.record == byWindow.record) << where;
                EXPECT_EQ(byName.labelsA, byWindow.labelsA) << where;
                EXPECT_EQ(byName.labelsB, byWindow.labelsB) << where;
            }
        }
    }
}

} // namespace
} // namespace vexo
