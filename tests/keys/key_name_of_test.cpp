// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "keys/key_name_of.h"
#include "keys/key_name_table.h"

namespace vexo {
namespace {

// Which kernel key code each Keyboard/Keypad usage arrives as (the kernel's HID keyboard mapping),
// written by usage so that it checks the name table independently of how KeyNameOf is laid out.
const std::map<int, std::uint32_t>& EvdevOfUsage() {
    static const std::map<int, std::uint32_t> map = {
        {0x04, 30},    {0x05, 48},    {0x06, 46},  {0x07, 32},  {0x08, 18},  {0x09, 33},  {0x0A, 34},  {0x0B, 35},
        {0x0C, 23},    {0x0D, 36},    {0x0E, 37},  {0x0F, 38},  {0x10, 50},  {0x11, 49},  {0x12, 24},  {0x13, 25},
        {0x14, 16},    {0x15, 19},    {0x16, 31},  {0x17, 20},  {0x18, 22},  {0x19, 47},  {0x1A, 17},  {0x1B, 45},
        {0x1C, 21},    {0x1D, 44},    {0x1E, 2},   {0x1F, 3},   {0x20, 4},   {0x21, 5},   {0x22, 6},   {0x23, 7},
        {0x24, 8},     {0x25, 9},     {0x26, 10},  {0x27, 11},  {0x28, 28},  {0x29, 1},   {0x2A, 14},  {0x2B, 15},
        {0x2C, 57},    {0x2D, 12},    {0x2E, 13},  {0x2F, 26},  {0x30, 27},  {0x31, 43},  {0x33, 39},  {0x34, 40},
        {0x35, 41},    {0x36, 51},    {0x37, 52},  {0x38, 53},  {0x39, 58},  {0x3A, 59},  {0x3B, 60},  {0x3C, 61},
        {0x3D, 62},    {0x3E, 63},    {0x3F, 64},  {0x40, 65},  {0x41, 66},  {0x42, 67},  {0x43, 68},  {0x44, 87},
        {0x45, 88},    {0x46, 99},    {0x47, 70},  {0x48, 119}, {0x49, 110}, {0x4A, 102}, {0x4B, 104}, {0x4C, 111},
        {0x4D, 107},   {0x4E, 109},   {0x4F, 106}, {0x50, 105}, {0x51, 108}, {0x52, 103}, {0x53, 69},  {0x54, 98},
        {0x55, 55},    {0x56, 74},    {0x57, 78},  {0x58, 96},  {0x59, 79},  {0x5A, 80},  {0x5B, 81},  {0x5C, 75},
        {0x5D, 76},    {0x5E, 77},    {0x5F, 71},  {0x60, 72},  {0x61, 73},  {0x62, 82},  {0x63, 83},  {0xE0, 29},
        {0xE1, 42},    {0xE2, 56},    {0xE3, 125}, {0xE4, 97},  {0xE5, 54},  {0xE6, 100}, {0xE7, 126}, {0xF0, 0x110},
        {0xF1, 0x111}, {0xF2, 0x112},
    };
    return map;
}

TEST(KeyNameOf, EveryKeyOfTheTableGetsItsExactName) {
    std::set<std::string_view> reached;
    for (const auto& [usage, evdev] : EvdevOfUsage()) {
        const std::string name = KeyNameOf(evdev);
        EXPECT_EQ(KeyNameToCode(name), usage) << "evdev " << evdev << " named \"" << name << "\"";
        for (const KeyNameRow& row : KeyNameTable()) {
            if (row.name == name)
                reached.insert(row.name);
        }
    }
    // The non-US hash key reaches the kernel as the backslash key; every other row is reachable.
    for (const KeyNameRow& row : KeyNameTable()) {
        if (row.name == "Eurpo(Note 2)")
            continue;
        EXPECT_TRUE(reached.count(row.name)) << "no key produces \"" << row.name << "\"";
    }
}

TEST(KeyNameOf, NamesTheServiceWouldGiveOnWindows) {
    EXPECT_EQ(KeyNameOf(1), "Esc");
    EXPECT_EQ(KeyNameOf(29), "Ctrl");
    EXPECT_EQ(KeyNameOf(42), "Shift");
    EXPECT_EQ(KeyNameOf(56), "Alt");
    EXPECT_EQ(KeyNameOf(100), "Right Alt");
    EXPECT_EQ(KeyNameOf(99), "Prnt Scrn");
    EXPECT_EQ(KeyNameOf(96), "Num Enter");
    EXPECT_EQ(KeyNameOf(83), "Num Del");
    EXPECT_EQ(KeyNameOf(126), "Right Windows");
    // Qt's native scan code for A on X11 and Wayland is 38; the caller removes the offset.
    EXPECT_EQ(KeyNameOf(38 - kXkbKeycodeOffset), "A");
}

TEST(KeyNameOf, KeysOutsideTheTableHaveReadableNamesThatConvertToZero) {
    EXPECT_EQ(KeyNameOf(183), "F13");
    EXPECT_EQ(KeyNameOf(127), "Application");
    EXPECT_EQ(KeyNameOf(117), "Num =");
    EXPECT_EQ(KeyNameOf(86), "Non-US \\");
    EXPECT_EQ(KeyNameOf(0), "Key 0");
    EXPECT_EQ(KeyNameOf(0xFFFFFFFFu), "Key 4294967295");

    std::set<std::uint32_t> tableKeys;
    for (const auto& [usage, evdev] : EvdevOfUsage())
        tableKeys.insert(evdev);
    for (std::uint32_t code = 0; code < 0x300; ++code) {
        const std::string name = KeyNameOf(code);
        ASSERT_FALSE(name.empty()) << code;
        // It must fit the 32-character name buffers and must not look like an event or delay line.
        EXPECT_LE(name.size(), 31u) << code;
        EXPECT_EQ(name.find("   "), std::string::npos) << name;
        if (!tableKeys.count(code)) {
            EXPECT_EQ(KeyNameToCode(name), 0) << code << " named \"" << name << "\"";
        }
    }
}

} // namespace
} // namespace vexo
