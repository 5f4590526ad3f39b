// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <string>
#include <string_view>

namespace vexo::cli {

// Text from the files (labels, macro names and lines, paths) as it may safely reach a terminal:
// control characters (U+0000-U+001F, U+007F, U+0080-U+009F) become \xNN or \uNNNN, bytes that are not
// UTF-8 \xNN, and a backslash \\ so that what is shown reads back unambiguously. Everything else,
// Chinese text included, stays as it is.
std::string PrintableText(std::string_view text);

// The text as a JSON string literal, quotation marks included. Always valid JSON: bytes that are
// not UTF-8 become U+FFFD, control characters \u00NN.
std::string JsonString(std::string_view text);

} // namespace vexo::cli
