// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "config/ui_fonts.h"

namespace vexo {

LanguageFonts FontsFor(Language language, bool platformVersion62) {
    constexpr LanguageFonts kHei{{"黑体", 13, 400}, {"黑体", 18, 700}};
    constexpr LanguageFonts kSong{{"宋体", 13, 400}, {"宋体", 18, 700}};
    constexpr LanguageFonts kEnglish{{"Arial", 14, 400}, {"Tahoma", 18, 700}};
    switch (language) {
    case Language::SimplifiedChinese: return platformVersion62 ? kHei : kSong;
    case Language::TraditionalChinese: return kHei;
    case Language::English: break;
    }
    return kEnglish;
}

} // namespace vexo
