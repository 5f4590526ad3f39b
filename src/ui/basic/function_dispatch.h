// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstddef>
#include <string>

#include "config/config_record.h"

namespace vexo {

// What a pick in a button's function list does. The basic page hands every pick to it, except the
// DPI Switch row, which the page completes through its own side list.
class FunctionDispatch {
public:
    virtual ~FunctionDispatch() = default;
    // Gives button (0-7) of mode the function of list row (0-15) in the edited record: stores the
    // function code and its parameters and sets the labels (edited: the label of mode, other: the
    // label of the other mode; either may be replaced). Rows that need parameters ask for them in a
    // modal dialog and return when it has closed; a dialog that is cancelled changes nothing.
    // Row 6, a second Shift in one mode and rows outside 0-15 change nothing.
    virtual void AssignButtonFunction(int row, std::size_t button, KeyMode mode, std::string& edited,
                                      std::string& other) = 0;
};

} // namespace vexo
