// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <string_view>

#include "config/ui_texts.h"

namespace vexo {

// A font as the window asks for it: face name, cell height in pixels, weight (400 normal, 700 bold).
// Every font is upright, not underlined or struck out, of the sans-serif family.
struct FontSpec {
    std::string_view face;
    int height;
    int weight;
    bool operator==(const FontSpec&) const = default;
};

// The text font and the heading font of a language.
struct LanguageFonts {
    FontSpec text;
    FontSpec title;
    bool operator==(const LanguageFonts&) const = default;
};

// Simplified Chinese uses "黑体" on the one platform version that has it as the better face
// (reported as 6.2) and "宋体" everywhere else; traditional Chinese always "黑体"; English
// "Arial" for texts and "Tahoma" for headings.
LanguageFonts FontsFor(Language language, bool platformVersion62 = false);

// What this program asks for: the 6.2 choice. 宋体 has no face of its own here and falls back to a
// serif CJK face that is often installed in bold only; 黑体 finds the sans CJK face.
inline constexpr bool kAskForHei = true;

} // namespace vexo
