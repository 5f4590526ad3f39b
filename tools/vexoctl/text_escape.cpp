// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "text_escape.h"

#include <cstdint>
#include <cstdio>

namespace vexo::cli {
namespace {

// The code point of the UTF-8 sequence at text[pos] and its length; length 0 for a byte that does
// not start a well-formed sequence (overlong forms and surrogates included).
std::pair<char32_t, std::size_t> Decode(std::string_view text, std::size_t pos) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(pos);
    if (lead < 0x80)
        return {lead, 1};
    std::size_t length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0)
        length = 2, cp = lead & 0x1F, minimum = 0x80;
    else if ((lead & 0xF0) == 0xE0)
        length = 3, cp = lead & 0x0F, minimum = 0x800;
    else if ((lead & 0xF8) == 0xF0)
        length = 4, cp = lead & 0x07, minimum = 0x10000;
    else
        return {0, 0};
    if (pos + length > text.size())
        return {0, 0};
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80)
            return {0, 0};
        cp = (cp << 6) | (byte(pos + i) & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return {0, 0};
    return {cp, length};
}

bool IsControl(char32_t cp) { return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F); }

std::string Hex(const char* format, unsigned value) {
    char text[12];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

std::string PrintableText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const auto [cp, length] = Decode(text, pos);
        if (length == 0) {
            out += Hex("\\x%02X", static_cast<std::uint8_t>(text[pos]));
            ++pos;
            continue;
        }
        if (cp == '\\')
            out += "\\\\";
        else if (cp < 0x80 && IsControl(cp))
            out += Hex("\\x%02X", static_cast<unsigned>(cp));
        else if (IsControl(cp))
            out += Hex("\\u%04X", static_cast<unsigned>(cp));
        else
            out.append(text.substr(pos, length));
        pos += length;
    }
    return out;
}

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (std::size_t pos = 0; pos < text.size();) {
        const auto [cp, length] = Decode(text, pos);
        if (length == 0) {
            out += "\\ufffd";
            ++pos;
            continue;
        }
        if (cp == '"' || cp == '\\')
            out += '\\', out += static_cast<char>(cp);
        else if (IsControl(cp))
            out += Hex("\\u%04x", static_cast<unsigned>(cp));
        else
            out.append(text.substr(pos, length));
        pos += length;
    }
    return out + "\"";
}

} // namespace vexo::cli
