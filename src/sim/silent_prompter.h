// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <string>

#include "platform/prompter.h"

namespace vexo {

// Confirms every message box unseen: for benchmarks and fuzzers, where nobody could answer one.
class SilentPrompter final : public Prompter {
public:
    void message(const std::string&, const std::string&) override {}
};

} // namespace vexo
