// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "keys/key_name_of.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace vexo {
namespace {

struct EvdevName {
    std::uint16_t code;
    std::string_view name;
};

// Evdev code (kernel input event numbering) to name, sorted by code. Names of keys that the key
// name table holds are its spellings; the rest are our own readable names that the table lacks.
constexpr std::array kNames = std::to_array<EvdevName>({
    {1, "Esc"},
    {2, "1"},
    {3, "2"},
    {4, "3"},
    {5, "4"},
    {6, "5"},
    {7, "6"},
    {8, "7"},
    {9, "8"},
    {10, "9"},
    {11, "0"},
    {12, "-"},
    {13, "="},
    {14, "Backspace"},
    {15, "Tab"},
    {16, "Q"},
    {17, "W"},
    {18, "E"},
    {19, "R"},
    {20, "T"},
    {21, "Y"},
    {22, "U"},
    {23, "I"},
    {24, "O"},
    {25, "P"},
    {26, "["},
    {27, "]"},
    {28, "Enter"},
    {29, "Ctrl"},
    {30, "A"},
    {31, "S"},
    {32, "D"},
    {33, "F"},
    {34, "G"},
    {35, "H"},
    {36, "J"},
    {37, "K"},
    {38, "L"},
    {39, ";"},
    {40, "'"},
    {41, "`"},
    {42, "Shift"},
    {43, "\\"},
    {44, "Z"},
    {45, "X"},
    {46, "C"},
    {47, "V"},
    {48, "B"},
    {49, "N"},
    {50, "M"},
    {51, ","},
    {52, "."},
    {53, "/"},
    {54, "Right Shift"},
    {55, "Num *"},
    {56, "Alt"},
    {57, "Space"},
    {58, "Caps Lock"},
    {59, "F1"},
    {60, "F2"},
    {61, "F3"},
    {62, "F4"},
    {63, "F5"},
    {64, "F6"},
    {65, "F7"},
    {66, "F8"},
    {67, "F9"},
    {68, "F10"},
    {69, "Num Lock"},
    {70, "Scroll Lock"},
    {71, "Num 7"},
    {72, "Num 8"},
    {73, "Num 9"},
    {74, "Num -"},
    {75, "Num 4"},
    {76, "Num 5"},
    {77, "Num 6"},
    {78, "Num +"},
    {79, "Num 1"},
    {80, "Num 2"},
    {81, "Num 3"},
    {82, "Num 0"},
    {83, "Num Del"},
    {85, "Zenkaku/Hankaku"},
    {86, "Non-US \\"},
    {87, "F11"},
    {88, "F12"},
    {89, "Ro"},
    {90, "Katakana"},
    {91, "Hiragana"},
    {92, "Henkan"},
    {93, "Katakana/Hiragana"},
    {94, "Muhenkan"},
    {95, "Num JP Comma"},
    {96, "Num Enter"},
    {97, "Right Ctrl"},
    {98, "Num /"},
    {99, "Prnt Scrn"},
    {100, "Right Alt"},
    {101, "Line Feed"},
    {102, "Home"},
    {103, "Up"},
    {104, "Page Up"},
    {105, "Left"},
    {106, "Right"},
    {107, "End"},
    {108, "Down"},
    {109, "Page Down"},
    {110, "Insert"},
    {111, "Delete"},
    {112, "Macro"},
    {113, "Mute"},
    {114, "Volume Down"},
    {115, "Volume Up"},
    {116, "Power"},
    {117, "Num ="},
    {118, "Num +/-"},
    {119, "Pause"},
    {120, "Scale"},
    {121, "Num ,"},
    {122, "Hangul"},
    {123, "Hanja"},
    {124, "Yen"},
    {125, "Left Windows"},
    {126, "Right Windows"},
    {127, "Application"},
    {128, "Stop"},
    {138, "Help"},
    {140, "Calculator"},
    {142, "Sleep"},
    {150, "Browser"},
    {155, "Mail"},
    {158, "Back"},
    {159, "Forward"},
    {163, "Next Track"},
    {164, "Play/Pause"},
    {165, "Previous Track"},
    {166, "Stop Media"},
    {172, "Browser Home"},
    {173, "Refresh"},
    {183, "F13"},
    {184, "F14"},
    {185, "F15"},
    {186, "F16"},
    {187, "F17"},
    {188, "F18"},
    {189, "F19"},
    {190, "F20"},
    {191, "F21"},
    {192, "F22"},
    {193, "F23"},
    {194, "F24"},
    {217, "Search"},
    {0x110, "L-Button"},
    {0x111, "R-Button"},
    {0x112, "M-Button"},
    {0x113, "Side Button"},
    {0x114, "Extra Button"},
});

constexpr bool SortedByCode() {
    for (std::size_t i = 1; i < kNames.size(); ++i) {
        if (kNames[i - 1].code >= kNames[i].code)
            return false;
    }
    return true;
}
static_assert(SortedByCode(), "the evdev name table must be sorted by code for the binary search");

} // namespace

std::string KeyNameOf(std::uint32_t evdevCode) {
    auto it = std::lower_bound(kNames.begin(), kNames.end(), evdevCode,
                               [](const EvdevName& row, std::uint32_t code) { return row.code < code; });
    if (it != kNames.end() && it->code == evdevCode)
        return std::string(it->name);
    // A key we have no name for still needs one the user can read in the macro list; it is not a
    // table name, so it converts to 0 like any unknown key.
    return "Key " + std::to_string(evdevCode);
}

} // namespace vexo
