// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <ostream>
#include <string>

#include "platform/prompter.h"

namespace vexo {

// Messages for a run that nobody watches (a screenshot, a start-up timing): each becomes one line
// "vexo: CAPTION: TEXT" on the stream instead of a box that would wait for a click that never comes.
// Returns at once; line breaks inside a text become spaces, trailing ones are dropped.
class ConsolePrompter final : public Prompter {
public:
    explicit ConsolePrompter(std::ostream& out) : out_(out) {}

    void message(const std::string& text, const std::string& caption) override;

private:
    std::ostream& out_;
};

} // namespace vexo
