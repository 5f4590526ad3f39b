// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <string>

#include "platform/prompter.h"

namespace vexo {

// Messages for a run that nobody watches (a screenshot, a start-up timing): each becomes one line
// "vexo: CAPTION: TEXT" on the descriptor (the standard error) instead of a box that would wait for a
// click that never comes. Returns at once; line breaks inside a text become spaces, trailing ones are
// dropped. A line that cannot be written is lost: there is nowhere else to put it.
class ConsolePrompter final : public Prompter {
public:
    explicit ConsolePrompter(int fd) : fd_(fd) {}

    void message(const std::string& text, const std::string& caption) override;

private:
    int fd_;
};

} // namespace vexo
