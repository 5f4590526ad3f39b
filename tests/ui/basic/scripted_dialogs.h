// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
// The dialogs the function dispatch asks, answered from a script: the tests of the basic page's
// pieces share it.
#include <optional>
#include <string>
#include <vector>

#include "ui/dialogs/function_dialogs.h"

namespace vexo::test {

// Answers every dialog with a prepared result, or cancels it when none is prepared, and records
// which dialogs were asked.
class ScriptedDialogs final : public FunctionDialogs {
public:
    std::optional<ListPick> windows, media;
    std::optional<FireKeyPick> fire;
    std::optional<std::string> single;
    std::optional<ComboPick> combo;
    std::optional<MacroPick> macro;
    std::vector<std::string> asked;

    std::optional<ListPick> AskWindowsFunction() override { return asked.push_back("windows"), windows; }
    std::optional<ListPick> AskMultimedia() override { return asked.push_back("media"), media; }
    std::optional<FireKeyPick> AskFireKey() override { return asked.push_back("fire"), fire; }
    std::optional<std::string> AskSingleKey() override { return asked.push_back("single"), single; }
    std::optional<ComboPick> AskComboKey() override { return asked.push_back("combo"), combo; }
    std::optional<MacroPick> AskMacroKey() override { return asked.push_back("macro"), macro; }
};

} // namespace vexo::test
