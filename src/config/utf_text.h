// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace vexo::utf {

// Conversions between UTF-8 and UTF-16 for files that may hold anything. Malformed input never
// fails: each invalid UTF-8 byte and each unpaired surrogate becomes U+FFFD, so the result is
// always well-formed.
std::u16string toUtf16(std::string_view utf8);
std::string toUtf8(std::u16string_view utf16);

// The text with every malformed sequence replaced by U+FFFD.
std::string sanitize(std::string_view utf8);

// Number of UTF-16 code units the (well-formed) UTF-8 text takes.
std::size_t utf16Length(std::string_view utf8);

// The longest prefix of the (well-formed) UTF-8 text that takes at most maxUnits UTF-16 code units;
// a character needing a surrogate pair is dropped whole rather than split.
std::string_view prefixInUtf16Units(std::string_view utf8, std::size_t maxUnits);

// Appends the UTF-8 encoding of the code point cp (at most U+10FFFF; the caller keeps surrogates
// out) to out.
void appendUtf8(std::string& out, char32_t cp);

} // namespace vexo::utf
