#pragma once
#include <cstdint>
#include <string>

namespace vexo {

// Interface values shared by the main window and every pop-up dialog. They live for the whole
// process; all are zero or empty when it starts (the main window's constructor sets the text colour).
struct TextColour {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
};

inline constexpr int kNoPage = 0;
inline constexpr int kBasicPage = 1;
inline constexpr int kAdvancedPage = 2;

extern std::string g_strLanguage;  // language code of str.ini ("CHS", "CHT", anything else English)
extern std::string g_strSkinDir;   // folder of the current skin, UTF-8, no trailing separator
extern std::string g_strSkinName;  // that folder's name
extern TextColour g_textColor;     // colour of every interface text except page titles
extern int g_nCurrentPage;         // kNoPage, kBasicPage or kAdvancedPage
extern bool g_bBasicPageReady;     // the basic page has read the mouse once since start-up
extern bool g_bReloadOnRestore;    // Cancel hid the window: labels are re-read when it comes back

} // namespace vexo
