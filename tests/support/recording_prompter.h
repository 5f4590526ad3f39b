// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <string>
#include <vector>

#include "platform/prompter.h"

namespace vexo::test {

// Records every message box and answers OK at once.
class RecordingPrompter final : public Prompter {
public:
    struct Shown {
        std::string text;
        std::string caption;
    };
    void message(const std::string& text, const std::string& caption) override { shown.push_back({text, caption}); }
    std::vector<Shown> shown;
};

} // namespace vexo::test
