// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace vexo {

// Receives one line per exchange with the mouse: "SET ..." (packet as built, checksum included,
// before scrambling), "GET ..." (answer after unscrambling), "OUT ..."/"IN ..." (32 data bytes of a
// block report), "PAUSE n" (milliseconds). A get or a block read that failed or came back short is
// "GET-FAILED ..." (the zeros the answer then counts as) or "IN-FAILED ..." (what had arrived).
// Bytes are two-digit upper-case hex separated by spaces.
using TraceHook = std::function<void(const std::string& line)>;

// "TAG B0 B1 ..." in the trace format.
std::string formatTraceLine(std::string_view tag, std::span<const std::uint8_t> bytes);

} // namespace vexo
