// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <string>

namespace vexo {

// Modal message boxes with one OK button. Texts are UTF-8.
class Prompter {
public:
    virtual ~Prompter() = default;
    // Shows text with the given caption and returns when the user has confirmed it.
    virtual void message(const std::string& text, const std::string& caption) = 0;
};

} // namespace vexo
