// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The function dispatch: which dialog each row asks, what OK stores, what Cancel keeps, Shift.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "config/button_functions.h"
#include "config/ui_texts.h"
#include "ui/basic/button_function_dispatch.h"
#include "ui/basic/scripted_dialogs.h"

namespace vexo {
namespace {

using test::ScriptedDialogs;

class FunctionDispatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (std::size_t b = 0; b < kEditableButtons; ++b) {
            labelsA[b] = "A" + std::to_string(b);
            labelsB[b] = "B" + std::to_string(b);
        }
    }
    void assign(int row, std::size_t button, KeyMode mode) {
        auto& edited = mode == KeyMode::A ? labelsA : labelsB;
        auto& other = mode == KeyMode::A ? labelsB : labelsA;
        dispatch.AssignButtonFunction(row, button, mode, edited[button], other[button]);
    }
    std::uint8_t field(KeyMode mode, ButtonArray array, std::size_t button) const {
        return record.buttons(mode, array)[button];
    }

    UiTexts texts = SelectTexts("EN");
    ConfigRecord record;
    ScriptedDialogs dialogs;
    ButtonFunctionDispatch dispatch{record, texts, dialogs};
    std::array<std::string, kEditableButtons> labelsA, labelsB;
};

TEST_F(FunctionDispatchTest, EachDialogRowAsksItsOwnDialogAndStoresWhatOkGave) {
    dialogs.windows = ListPick{6, "Browser-Back"};
    dialogs.media = ListPick{3, "Play/Pause"};
    dialogs.fire = FireKeyPick{54, "L-Button", 10, 0};
    dialogs.single = "Enter";
    dialogs.combo = ComboPick{"Left Ctrl", "C", ""};
    dialogs.macro = MacroPick{1, 3, "Reload"};
    for (int row = function_code::Windows; row <= function_code::MacroKey; ++row)
        assign(row, static_cast<std::size_t>(row - function_code::Windows), KeyMode::A);
    EXPECT_EQ(dialogs.asked, (std::vector<std::string>{"windows", "media", "fire", "single", "combo", "macro"}));
    EXPECT_EQ((std::vector<std::string>(labelsA.begin(), labelsA.begin() + 6)),
              (std::vector<std::string>{"Browser-Back", "Multimedia-Play/Pause", "Fire Key-L-Button",
                                        "Single Key-Enter", "Combo Key-Left Ctrl+C", "Macro Key-Reload"}));
    for (std::size_t b = 0; b < 6; ++b) {
        EXPECT_EQ(record.functionCode(KeyMode::A, b), function_code::Windows + b);
        EXPECT_EQ(record.functionCode(KeyMode::B, b), 0) << "mode B is not touched";
        EXPECT_EQ(labelsB[b], "B" + std::to_string(b));
    }
    EXPECT_EQ(field(KeyMode::A, ButtonArray::WinFuncCode, 0), 0x24);
    EXPECT_EQ(field(KeyMode::A, ButtonArray::MediaCode, 1), 0xCD);
    EXPECT_EQ(field(KeyMode::A, ButtonArray::FireKeyCode, 2), 0xF0);
    EXPECT_EQ(field(KeyMode::A, ButtonArray::FireSpeed, 2), 10);
    EXPECT_EQ(field(KeyMode::A, ButtonArray::SingleKeyCode, 3), 0x28);
    EXPECT_EQ(field(KeyMode::A, ButtonArray::ComboModifiers, 4), 0x01);
    EXPECT_EQ(field(KeyMode::A, ButtonArray::ComboKey1, 4), 0x06);
    EXPECT_EQ(field(KeyMode::A, ButtonArray::MacroSlot, 5), 1);
    EXPECT_EQ(field(KeyMode::A, ButtonArray::MacroRepeatMode, 5), 2);

    // Rows without parameters ask nothing.
    dialogs.asked.clear();
    for (int row : {0, 1, 2, 3, 4, 5, 7, 15})
        assign(row, 7, KeyMode::B);
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_EQ(record.functionCode(KeyMode::B, 7), function_code::KeyOff);
    EXPECT_EQ(labelsB[7], "Key Off");
}

TEST_F(FunctionDispatchTest, ACancelledDialogLeavesCodeParametersAndLabelsAsTheyWere) {
    dialogs.single = "V";
    assign(function_code::SingleKey, 2, KeyMode::B);
    assign(function_code::LeftClick, 2, KeyMode::B);
    dialogs.single.reset();
    const ConfigRecord before = record;
    const auto labelsBefore = labelsA;
    const auto labelsBBefore = labelsB;
    for (int row = function_code::Windows; row <= function_code::MacroKey; ++row)
        assign(row, 2, KeyMode::B);
    EXPECT_EQ(dialogs.asked.size(), 7u);
    EXPECT_EQ(record, before);
    EXPECT_EQ(record.functionCode(KeyMode::B, 2), function_code::LeftClick);
    EXPECT_EQ(labelsA, labelsBefore);
    EXPECT_EQ(labelsB, labelsBBefore);
    EXPECT_EQ(labelsB[2], "Left Click");

    // Cancelled on a Shift button: it stays Shift in both modes.
    assign(function_code::Shift, 4, KeyMode::A);
    const ConfigRecord shifted = record;
    assign(function_code::FireKey, 4, KeyMode::B);
    EXPECT_EQ(record, shifted);
    EXPECT_EQ(labelsA[4], "Shift");
    EXPECT_EQ(labelsB[4], "Shift");
}

TEST_F(FunctionDispatchTest, OneShiftPerModeAndLeavingShiftLeavesItInBothModes) {
    assign(function_code::Shift, 5, KeyMode::B);
    EXPECT_EQ(record.functionCode(KeyMode::A, 5), function_code::Shift);
    EXPECT_EQ(record.functionCode(KeyMode::B, 5), function_code::Shift);
    EXPECT_EQ(labelsA[5], "Shift");
    EXPECT_EQ(labelsB[5], "Shift");

    // A second Shift in either mode changes nothing.
    const ConfigRecord before = record;
    assign(function_code::Shift, 6, KeyMode::A);
    assign(function_code::Shift, 6, KeyMode::B);
    EXPECT_EQ(record, before);
    EXPECT_EQ(labelsA[6], "A6");
    EXPECT_EQ(labelsB[6], "B6");

    // A dialog's function on the Shift button replaces Shift in both modes with its label.
    dialogs.combo = ComboPick{"Right Alt", "", "Tab"};
    assign(function_code::ComboKey, 5, KeyMode::A);
    EXPECT_EQ(record.functionCode(KeyMode::A, 5), function_code::ComboKey);
    EXPECT_EQ(record.functionCode(KeyMode::B, 5), function_code::ComboKey);
    EXPECT_EQ(labelsA[5], "Combo Key-Right Alt+Tab");
    EXPECT_EQ(labelsB[5], "Combo Key-Right Alt+Tab");
    // Now another button may be Shift, and a plain function over it leaves Shift too.
    assign(function_code::Shift, 6, KeyMode::A);
    assign(function_code::LeftClick, 6, KeyMode::A);
    EXPECT_EQ(record.functionCode(KeyMode::B, 6), function_code::LeftClick);
    EXPECT_EQ(labelsB[6], "Left Click");
}

TEST_F(FunctionDispatchTest, DpiSwitchRowsOutOfRangeAndButtonsPastEightChangeNothing) {
    dialogs.single = "A";
    const ConfigRecord before = record;
    assign(function_code::DpiSwitch, 0, KeyMode::A);
    assign(-1, 0, KeyMode::A);
    assign(16, 0, KeyMode::A);
    std::string edited = "x", other = "y";
    dispatch.AssignButtonFunction(function_code::SingleKey, kEditableButtons, KeyMode::A, edited, other);
    EXPECT_EQ(record, before);
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_EQ(labelsA[0], "A0");
    EXPECT_EQ(edited, "x");
}

} // namespace
} // namespace vexo
