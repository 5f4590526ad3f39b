// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include "config/config_record.h"

namespace vexo {

// The configuration delivered with the program: the key defaults in both modes, four DPI stages
// on (500, 1000, 1500 and 2000 DPI on the common sensors) and four off, each with its own colour,
// 1000 Hz, standard lighting at full brightness and the desktop defaults 0, 0, 6, 3, 6.
ConfigRecord FactoryRecord();

} // namespace vexo
