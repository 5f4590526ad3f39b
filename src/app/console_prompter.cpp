// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "app/console_prompter.h"

#include "base/write_all.h"

namespace vexo {

void ConsolePrompter::message(const std::string& text, const std::string& caption) {
    std::string line = text;
    while (!line.empty() && line.back() == '\n')
        line.pop_back();
    // One message, one line, so that a log stays readable line by line.
    for (char& c : line)
        if (c == '\n')
            c = ' ';
    WriteAll(fd_, "vexo: " + caption + ": " + line + "\n");
}

} // namespace vexo
