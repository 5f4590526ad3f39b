// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <string>

namespace vexo {

// What the start-up has cost so far, for timing runs that must not count the program's ending (its
// teardown happens at logout, not at login). One line:
//   clock_ns=N cpu_us=N peak_kib=N
// clock_ns: CLOCK_MONOTONIC now, which the caller compares with its own reading at the start;
// cpu_us: user and system time of all the process's threads so far; peak_kib: the largest resident
// memory so far.
//
// The file is made anew: an existing file, a link or anything else at path is left alone and the
// call fails, so that a mistyped name never replaces what is not ours. Returns false with error set
// when the line cannot be written whole.
bool WriteStartCost(const std::string& path, std::string& error);

} // namespace vexo
