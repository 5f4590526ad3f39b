// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include "ui/basic/function_dispatch.h"

namespace vexo {

class ConfigRecord;
class FunctionDialogs;
struct UiTexts;

// The function dispatch over the edited record. Rows without parameters are stored at once; Shift
// follows the one-Shift-per-mode rule; rows 8-13 ask their dialog and store its result only when
// it ends with OK. A cancelled dialog leaves the button exactly as it was: function code,
// parameters and labels.
class ButtonFunctionDispatch : public FunctionDispatch {
public:
    // record, texts and dialogs must outlive the dispatch.
    ButtonFunctionDispatch(ConfigRecord& record, const UiTexts& texts, FunctionDialogs& dialogs)
        : record_(record), texts_(texts), dialogs_(dialogs) {}

    void AssignButtonFunction(int row, std::size_t button, KeyMode mode, std::string& edited,
                              std::string& other) override;

private:
    ConfigRecord& record_;
    const UiTexts& texts_;
    FunctionDialogs& dialogs_;
};

} // namespace vexo
