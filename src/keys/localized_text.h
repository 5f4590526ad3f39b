// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <string_view>

namespace vexo {

// One fixed interface text in the three interface languages (UTF-8). Which column is shown is the
// interface's language rule; this type only carries the texts.
struct LocalizedText {
    std::string_view simplifiedChinese;
    std::string_view traditionalChinese;
    std::string_view english;
};

} // namespace vexo
