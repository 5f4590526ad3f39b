// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "app/tray_notice.h"

#include <algorithm>

#include "device/device_notice_listener.h"

namespace vexo {

namespace {
constexpr int kChangeTimeoutMs = 5000;
// Presence notices ask for little time: they come at every start and every plug.
constexpr int kPresenceTimeoutMs = 100;
// No notice is shorter than a desktop's usual one: the Windows shell stretched the presence
// notices' tenth of a second to several seconds, so that is what users read them by.
constexpr int kShortestNoticeMs = 5000;

TrayNotice Notice(const char* title, std::string text, int timeoutMs) {
    return TrayNotice{title, std::move(text), std::max(timeoutMs, kShortestNoticeMs)};
}
} // namespace

std::optional<TrayNotice> NoticeFor(std::uint8_t kind, std::uint8_t value, const UiTexts& texts,
                                    std::optional<unsigned> dpiValue) {
    const auto info = [](std::string text, int timeout = kChangeTimeoutMs) {
        return Notice("Info", std::move(text), timeout);
    };
    switch (kind) {
    case kNoticeReportRate:
        switch (value) {
        case 1: return info(texts.m_strRate1000);
        case 2: return info(texts.m_strRate500);
        case 4: return info(texts.m_strRate250);
        case 8: return info(texts.m_strRate125);
        default: return std::nullopt;
        }
    case kNoticeDpiStage: {
        if (value < 1 || value > 8)
            return std::nullopt;
        const std::string* const kStages[] = {&texts.m_strDpiStage1, &texts.m_strDpiStage2, &texts.m_strDpiStage3,
                                              &texts.m_strDpiStage4, &texts.m_strDpiStage5, &texts.m_strDpiStage6,
                                              &texts.m_strDpiStage7, &texts.m_strDpiStage8};
        return info(*kStages[value - 1] + (dpiValue ? std::to_string(*dpiValue) : std::string()));
    }
    case kNoticeKeyGroup:
        if (value != 1 && value != 2)
            return std::nullopt;
        return info(value == 1 ? texts.m_strKeyGroup1 : texts.m_strKeyGroup2);
    case kNoticeMacroKey:
        if (value == 0)
            return std::nullopt;
        return info(texts.m_strSwitchToMacro + std::to_string(value));
    case kNoticeMousePresent:
        if (value != 0)
            return std::nullopt;
        return info(texts.m_strMouseFound, kPresenceTimeoutMs);
    case kNoticeNoMouse:
        if (value != 0)
            return std::nullopt;
        return Notice("Warning", texts.m_strNoMouse, kPresenceTimeoutMs);
    default: return std::nullopt;
    }
}

} // namespace vexo
