// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// Storing what a key-assignment dialog gave: the record's bytes, the labels, the Shift rule.
#include "config/button_parameters.h"

#include <gtest/gtest.h>

#include "config/ui_texts.h"

namespace vexo {
namespace {

// Where the tables put a field of a button, counted from the record's first byte, as the record
// layout gives them: table A at 0, table B at 192, field k at 12 * k, one byte per button.
std::uint8_t At(const ConfigRecord& record, KeyMode mode, std::size_t fieldOffset, std::size_t button) {
    return record.bytes()[(mode == KeyMode::A ? 0 : 192) + fieldOffset + button];
}

class ButtonParametersTest : public ::testing::Test {
protected:
    UiTexts texts = SelectTexts("EN");
    ConfigRecord record;
    std::string edited = "old";
    std::string other = "other";
    ButtonLabels labels{edited, other};
};

TEST(CombinationTextTest, KnownNamesJoinedAndUnknownOnesLeftOut) {
    struct Case {
        ComboPick pick;
        std::string text;
    };
    const Case cases[] = {
        {{"Left Ctrl", "C", "V"}, "Left Ctrl+C+V"},
        {{"Left Ctrl", "C", ""}, "Left Ctrl+C"},
        {{"Right Alt", "", "Tab"}, "Right Alt+Tab"},
        {{"Right Win", "", ""}, "Right Win"},
        {{"", "Ctrl", "Esc"}, "Ctrl+Esc"},
        {{"", "A", ""}, "A"},
        {{"", "", "F12"}, "F12"},
        {{"", "", ""}, ""},
        // Names the tables do not know count as nothing: a key-table name is no modifier, a
        // modifier name no key, and a key without a code (F13) is left out.
        {{"Ctrl", "Left Ctrl", "F13"}, ""},
        {{"Left Shift", "F13", "a"}, "Left Shift"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CombinationText(c.pick), c.text) << c.pick.modifier << "|" << c.pick.key1 << "|" << c.pick.key2;
}

TEST_F(ButtonParametersTest, EachFunctionWritesItsFieldsOfTheEditedModeOnly) {
    AssignWindowsFunction(record, KeyMode::A, 2, {6, "Browser-Back"}, labels);
    EXPECT_EQ(At(record, KeyMode::A, 0, 2), 8);
    EXPECT_EQ(At(record, KeyMode::A, 36, 2), 6);
    EXPECT_EQ(At(record, KeyMode::A, 48, 2), 0x24);
    EXPECT_EQ(At(record, KeyMode::A, 60, 2), 0x02);
    EXPECT_EQ(edited, "Browser-Back");

    AssignMultimedia(record, KeyMode::B, 5, {5, "Vol+"}, texts, labels);
    EXPECT_EQ(At(record, KeyMode::B, 0, 5), 9);
    EXPECT_EQ(At(record, KeyMode::B, 12, 5), 5);
    EXPECT_EQ(At(record, KeyMode::B, 24, 5), 0xE9);
    EXPECT_EQ(edited, "Multimedia-Vol+");

    AssignFireKey(record, KeyMode::A, 7, {40, "R-SHIFT", 5, 0}, texts, labels);
    EXPECT_EQ(At(record, KeyMode::A, 0, 7), 10);
    EXPECT_EQ(At(record, KeyMode::A, 72, 7), 40);
    EXPECT_EQ(At(record, KeyMode::A, 84, 7), 0xE5);
    EXPECT_EQ(At(record, KeyMode::A, 96, 7), 5);
    EXPECT_EQ(At(record, KeyMode::A, 108, 7), 0);
    EXPECT_EQ(edited, "Fire Key-R-SHIFT");

    AssignSingleKey(record, KeyMode::B, 0, "Num 0", texts, labels);
    EXPECT_EQ(At(record, KeyMode::B, 0, 0), 11);
    EXPECT_EQ(At(record, KeyMode::B, 120, 0), 0x62);
    EXPECT_EQ(edited, "Single Key-Num 0");

    AssignComboKey(record, KeyMode::B, 3, {"Left Ctrl", "C", ""}, texts, labels);
    EXPECT_EQ(At(record, KeyMode::B, 0, 3), 12);
    EXPECT_EQ(At(record, KeyMode::B, 132, 3), 0x01);
    EXPECT_EQ(At(record, KeyMode::B, 144, 3), 0x06);
    EXPECT_EQ(At(record, KeyMode::B, 156, 3), 0x00);
    EXPECT_EQ(edited, "Combo Key-Left Ctrl+C");

    AssignMacroKey(record, KeyMode::A, 4, {2, 3, "Burst"}, texts, labels);
    EXPECT_EQ(At(record, KeyMode::A, 0, 4), 13);
    EXPECT_EQ(At(record, KeyMode::A, 168, 4), 2);
    EXPECT_EQ(At(record, KeyMode::A, 180, 4), 2);
    EXPECT_EQ(edited, "Macro Key-Burst");

    // The other label is untouched, and so is every byte not named above.
    EXPECT_EQ(other, "other");
    ConfigRecord expected;
    for (auto [offset, value] : std::initializer_list<std::pair<std::size_t, int>>{{2, 8},
                                                                                   {36 + 2, 6},
                                                                                   {48 + 2, 0x24},
                                                                                   {60 + 2, 2},
                                                                                   {192 + 5, 9},
                                                                                   {192 + 12 + 5, 5},
                                                                                   {192 + 24 + 5, 0xE9},
                                                                                   {7, 10},
                                                                                   {72 + 7, 40},
                                                                                   {84 + 7, 0xE5},
                                                                                   {96 + 7, 5},
                                                                                   {192 + 0, 11},
                                                                                   {192 + 120, 0x62},
                                                                                   {192 + 3, 12},
                                                                                   {192 + 132 + 3, 1},
                                                                                   {192 + 144 + 3, 6},
                                                                                   {4, 13},
                                                                                   {168 + 4, 2},
                                                                                   {180 + 4, 2}})
        expected.bytes()[offset] = static_cast<std::uint8_t>(value);
    EXPECT_EQ(record, expected);
}

TEST_F(ButtonParametersTest, UnknownNamesAndOutOfRangeValuesStoreZeroNotSomeOtherRow) {
    AssignSingleKey(record, KeyMode::A, 1, "F13", texts, labels);
    EXPECT_EQ(At(record, KeyMode::A, 120, 1), 0);
    EXPECT_EQ(edited, "Single Key-F13");

    // No macro picked from an empty list: slot 0, repeat mode 0, the label with an empty name.
    AssignMacroKey(record, KeyMode::A, 1, {}, texts, labels);
    EXPECT_EQ(At(record, KeyMode::A, 168, 1), 0);
    EXPECT_EQ(At(record, KeyMode::A, 180, 1), 0);
    EXPECT_EQ(edited, "Macro Key-");
    AssignMacroKey(record, KeyMode::A, 1, {300, 7, "x"}, texts, labels);
    EXPECT_EQ(At(record, KeyMode::A, 168, 1), 0);
    EXPECT_EQ(At(record, KeyMode::A, 180, 1), 0);

    AssignWindowsFunction(record, KeyMode::A, 1, {11, ""}, labels);
    EXPECT_EQ(At(record, KeyMode::A, 36, 1), 11);
    EXPECT_EQ(At(record, KeyMode::A, 48, 1), 0);
    EXPECT_EQ(At(record, KeyMode::A, 60, 1), 0);
}

TEST_F(ButtonParametersTest, AButtonThatWasShiftLeavesShiftInBothModesWithTheNewLabel) {
    record.setFunctionCode(KeyMode::A, 6, function_code::Shift);
    record.setFunctionCode(KeyMode::B, 6, function_code::Shift);
    AssignComboKey(record, KeyMode::B, 6, {"", "A", "B"}, texts, labels);
    EXPECT_EQ(record.functionCode(KeyMode::A, 6), function_code::ComboKey);
    EXPECT_EQ(record.functionCode(KeyMode::B, 6), function_code::ComboKey);
    EXPECT_EQ(edited, "Combo Key-A+B");
    EXPECT_EQ(other, "Combo Key-A+B");
    // The parameters belong to the edited mode only.
    EXPECT_EQ(At(record, KeyMode::B, 144, 6), 0x04);
    EXPECT_EQ(At(record, KeyMode::A, 144, 6), 0x00);
}

} // namespace
} // namespace vexo
