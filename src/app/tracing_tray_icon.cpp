// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "app/tracing_tray_icon.h"

#include <algorithm>

namespace vexo {

void TracingTrayIcon::notice(const std::string& title, const std::string& text, int timeoutMs) {
    // One line per notice, whatever line breaks the texts carry.
    std::string line = "NOTICE " + title + ": " + text;
    std::replace(line.begin(), line.end(), '\n', ' ');
    std::replace(line.begin(), line.end(), '\r', ' ');
    write_(line);
    icon_.notice(title, text, timeoutMs);
}

} // namespace vexo
