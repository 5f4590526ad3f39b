// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <optional>
#include <string>

#include "config/button_parameters.h"

namespace vexo {

// The key-assignment dialogs as the function dispatch uses them: each call shows one dialog
// modally and returns what it gave on OK, or nothing when it was cancelled or closed.
class FunctionDialogs {
public:
    virtual ~FunctionDialogs() = default;
    virtual std::optional<ListPick> AskWindowsFunction() = 0;
    virtual std::optional<ListPick> AskMultimedia() = 0;
    virtual std::optional<FireKeyPick> AskFireKey() = 0;
    // The captured key's name (may be empty when no key was touched).
    virtual std::optional<std::string> AskSingleKey() = 0;
    virtual std::optional<ComboPick> AskComboKey() = 0;
    virtual std::optional<MacroPick> AskMacroKey() = 0;
};

} // namespace vexo
