// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "config/ui_texts.h"

namespace vexo {

// One balloon notice of the notification-area icon (all carry the information icon).
struct TrayNotice {
    std::string title;
    std::string text;
    int timeoutMs = 0; // never below 5000 ms, a desktop's usual time
    bool operator==(const TrayNotice&) const = default;
};

// The notice for a device notice of kind and value, or nothing for kinds and values that show
// none (a report rate code other than 1, 2, 4, 8; a DPI stage outside 1-8; a key group other than
// 1, 2; macro value 0; presence notices with a value; unknown kinds). dpiValue is the displayed DPI value of the stage, appended to
// the DPI text when known.
std::optional<TrayNotice> NoticeFor(std::uint8_t kind, std::uint8_t value, const UiTexts& texts,
                                    std::optional<unsigned> dpiValue);

} // namespace vexo
