// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>

namespace vexo {

// Kinds of device notices, as the main window receives them.
inline constexpr std::uint8_t kNoticeReportRate = 5; // value: report rate code 1, 2, 4 or 8
inline constexpr std::uint8_t kNoticeDpiStage = 7; // value: stage 1-8
inline constexpr std::uint8_t kNoticeKeyGroup = 8; // value: key group 1 or 2
inline constexpr std::uint8_t kNoticeMacroKey = 9; // value: the mouse's macro value
inline constexpr std::uint8_t kNoticeMousePresent = 14; // value 0
inline constexpr std::uint8_t kNoticeNoMouse = 15; // value 0

// The main window as the device link sees it. The link calls deviceNotice() for 14 and 15 on the
// thread that drives it; the input thread's notices (5, 7, 8, 9) reach it through the link's
// notice receiver, which by default calls deviceNotice() on the input thread. An implementation that
// hands notices to another thread must return only once they are handled.
class DeviceNoticeListener {
public:
    virtual ~DeviceNoticeListener() = default;
    virtual void deviceNotice(std::uint8_t kind, std::uint8_t value) = 0;
    // The mouse has gone: the main window hides itself.
    virtual void hideMainWindow() = 0;
};

} // namespace vexo
