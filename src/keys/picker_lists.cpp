// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "keys/picker_lists.h"

#include <array>

namespace vexo {
namespace {

struct FireKeyRow {
    std::string_view text;
    KeyCode code;
};

constexpr std::array<FireKeyRow, kFireKeyRowCount> kFireKeys{{
    {"A", 0x04},
    {"B", 0x05},
    {"C", 0x06},
    {"D", 0x07},
    {"E", 0x08},
    {"F", 0x09},
    {"G", 0x0A},
    {"H", 0x0B},
    {"I", 0x0C},
    {"J", 0x0D},
    {"K", 0x0E},
    {"L", 0x0F},
    {"M", 0x10},
    {"N", 0x11},
    {"O", 0x12},
    {"P", 0x13},
    {"Q", 0x14},
    {"R", 0x15},
    {"S", 0x16},
    {"T", 0x17},
    {"U", 0x18},
    {"V", 0x19},
    {"W", 0x1A},
    {"X", 0x1B},
    {"Y", 0x1C},
    {"Z", 0x1D},
    {"1", 0x1E},
    {"2", 0x1F},
    {"3", 0x20},
    {"4", 0x21},
    {"5", 0x22},
    {"6", 0x23},
    {"7", 0x24},
    {"8", 0x25},
    {"9", 0x26},
    {"0", 0x27},
    {"L-CTRL", 0xE0},
    {"L-SHIFT", 0xE1},
    {"L-ALT", 0xE2},
    {"R-CTRL", 0xE4},
    {"R-SHIFT", 0xE5},
    {"R-ALT", 0xE6},
    {"F1", 0x3A},
    {"F2", 0x3B},
    {"F3", 0x3C},
    {"F4", 0x3D},
    {"F5", 0x3E},
    {"F6", 0x3F},
    {"F7", 0x40},
    {"F8", 0x41},
    {"F9", 0x42},
    {"F10", 0x43},
    {"F11", 0x44},
    {"F12", 0x45},
    {"L-Button", kKeyLeftButton},
    {"R-Button", kKeyRightButton},
    {"M-Button", kKeyMiddleButton},
    {"B4-Button", kKeyButton4},
    {"B5-Button", kKeyButton5},
    {"L-Tilt Wheel", kKeyLeftTilt},
    {"R-Tilt Wheel", kKeyRightTilt},
}};

constexpr std::array<std::uint8_t, kMediaRowCount> kMediaCodes{0xB5, 0xB6, 0xB7, 0xCD, 0xE2, 0xE9, 0xEA};

constexpr std::array<LocalizedText, kMediaRowCount> kMediaTexts{{
    {"下一首", "下一首", "Next"},
    {"上一首", "上一首", "Previous"},
    {"停止", "停止", "Stop"},
    {"播放/暂停", "播放/暫停", "Play/Pause"},
    {"静音", "靜音", "Mute"},
    {"音量+", "音量+", "Vol+"},
    {"音量-", "音量-", "Vol-"},
}};

constexpr std::array<std::uint8_t, kWindowsFunctionRowCount> kWindowsLowBytes{0x83, 0x8A, 0x92, 0x94, 0x21, 0x23,
                                                                              0x24, 0x25, 0x26, 0x27, 0x2A};

// Rows before this one are application-launch usages (0x01xx), the rest application-control (0x02xx).
constexpr int kFirstApplicationControlRow = 4;

constexpr std::array<LocalizedText, kWindowsFunctionRowCount> kWindowsTexts{{
    {"打开多媒体播放器", "打開多媒體播放器", "Multimedia Player"},
    {"邮件", "郵件", "Mail"},
    {"计算器", "計算器", "Calculator"},
    {"我的电脑", "我的電腦", "My Computer"},
    {"浏览器-搜索", "瀏覽器-搜索", "Browser-Search"},
    {"浏览器-主页", "瀏覽器-主頁", "Browser-Home"},
    {"浏览器-后退", "瀏覽器-後退", "Browser-Back"},
    {"浏览器-前进", "瀏覽器-前進", "Browser-Forward"},
    {"浏览器-停止", "瀏覽器-停止", "Browser-Stop"},
    {"浏览器-刷新", "瀏覽器-刷新", "Browser-Refresh"},
    {"浏览器-收藏夹", "瀏覽器-我的最愛", "Browser-My Favorites"},
}};

constexpr bool InRange(int index, int count) { return index >= 0 && index < count; }

} // namespace

KeyCode FireKeyIndexToCode(int index) { return InRange(index, kFireKeyRowCount) ? kFireKeys[index].code : KeyCode{0}; }

std::string_view FireKeyText(int index) {
    return InRange(index, kFireKeyRowCount) ? kFireKeys[index].text : std::string_view{};
}

std::uint8_t MediaIndexToCode(int index) {
    return InRange(index, kMediaRowCount) ? kMediaCodes[index] : std::uint8_t{0};
}

std::span<const LocalizedText, kMediaRowCount> MediaTexts() { return kMediaTexts; }

std::uint8_t WindowsFunctionIndexToCode(int index) {
    return InRange(index, kWindowsFunctionRowCount) ? kWindowsLowBytes[index] : std::uint8_t{0};
}

std::uint8_t WindowsFunctionPageClass(int index) {
    if (!InRange(index, kWindowsFunctionRowCount))
        return 0;
    return index < kFirstApplicationControlRow ? 0x01 : 0x02;
}

std::span<const LocalizedText, kWindowsFunctionRowCount> WindowsFunctionTexts() { return kWindowsTexts; }

} // namespace vexo
