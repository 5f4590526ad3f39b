// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <string_view>

namespace vexo {

// Caption of the program's own message boxes.
inline constexpr std::string_view kApplicationTitle = "VEXO T58";

} // namespace vexo
