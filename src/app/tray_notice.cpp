#include "app/tray_notice.h"

#include "device/device_notice_listener.h"

namespace vexo {

namespace {
constexpr int kChangeTimeoutMs = 5000;
// Presence notices are short: they come at every start and every plug.
constexpr int kPresenceTimeoutMs = 100;
} // namespace

std::optional<TrayNotice> NoticeFor(std::uint8_t kind, std::uint8_t value, const ShellTexts& texts,
                                    std::optional<unsigned> dpiValue)
{
    const auto info = [](std::string text, int timeout = kChangeTimeoutMs) {
        return TrayNotice{"Info", std::move(text), TrayIcon::NoticeIcon::Info, timeout};
    };
    switch (kind) {
    case kNoticeReportRate:
        switch (value) {
        case 1: return info(texts.reportRates[0]);
        case 2: return info(texts.reportRates[1]);
        case 4: return info(texts.reportRates[2]);
        case 8: return info(texts.reportRates[3]);
        default: return std::nullopt;
        }
    case kNoticeDpiStage:
        if (value < 1 || value > 8)
            return std::nullopt;
        return info(texts.dpiStages[value - 1] + (dpiValue ? std::to_string(*dpiValue) : std::string()));
    case kNoticeKeyGroup:
        if (value != 1 && value != 2)
            return std::nullopt;
        return info(texts.keyGroups[value - 1]);
    case kNoticeMacroKey:
        if (value == 0)
            return std::nullopt;
        return info(texts.switchToMacro + std::to_string(value));
    case kNoticeMousePresent:
        if (value != 0)
            return std::nullopt;
        return info(texts.mouseFound, kPresenceTimeoutMs);
    case kNoticeNoMouse:
        if (value != 0)
            return std::nullopt;
        return TrayNotice{"Warning", texts.noMouse, TrayIcon::NoticeIcon::Warning, kPresenceTimeoutMs};
    default:
        return std::nullopt;
    }
}

} // namespace vexo
