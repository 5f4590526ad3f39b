// The shell's start-up steps over the configuration: language and texts, str.ini's skin and text
// colour, fonts, and the exchanges of the configuration with the mouse.
#include <QString>
#include <filesystem>

#include "app/app_shell.h"
#include "config/file_locations.h"
#include "config/profile_ini.h"
#include "device/device_session.h"
#include "ui/interface_fonts.h"
#include "ui/main_dialog.h"
#include "ui/ui_globals.h"

namespace vexo {

namespace {

// The low byte of the leading decimal digits; no digits give 0 (a value of 300 gives 44).
std::uint8_t ColourByte(const std::string& text)
{
    unsigned value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + unsigned(c - '0');
    }
    return static_cast<std::uint8_t>(value & 0xFF);
}

} // namespace

void AppShell::selectLanguage()
{
    const ProfileIni ini(parts_.locations.strIni());
    g_strLanguage = ini.readString("Skins", "Lan");
    if (parts_.textsFor)
        texts_ = parts_.textsFor(g_strLanguage);
    CMainDialog& w = *window_;
    w.m_strBasicSettings = QString::fromStdString(texts_.basicSettings);
    w.m_strAdvancedSettings = QString::fromStdString(texts_.advancedSettings);
    w.m_strColorSetting = QString::fromStdString(texts_.colorSetting);
    w.m_strOk = QString::fromStdString(texts_.ok);
    w.m_strApply = QString::fromStdString(texts_.apply);
    w.m_strCancel = QString::fromStdString(texts_.cancel);
}

void AppShell::loadSettings()
{
    const ProfileIni ini(parts_.locations.strIni());
    skinName_ = ini.readString("Skins", "Path");
    colour_ = TextColour{ColourByte(ini.readString("Skins", "RColor")), ColourByte(ini.readString("Skins", "GColor")),
                         ColourByte(ini.readString("Skins", "BColor"))};
}

void AppShell::useSkinAndColour()
{
    // The first skin folder of that name wins: the delivered ones, then the user's own.
    const auto& roots = parts_.locations.skinRoots();
    std::filesystem::path dir = roots.empty() ? std::filesystem::path("Skins") : roots.front();
    for (const auto& root : roots) {
        if (std::filesystem::is_directory(root / skinName_)) {
            dir = root;
            break;
        }
    }
    g_strSkinName = skinName_;
    g_strSkinDir = (skinName_.empty() ? dir : dir / skinName_).string();
    window_->LoadBackground();
    g_textColor = colour_;
}

void AppShell::createFonts()
{
    // Simplified Chinese uses 黑体 as on current Windows versions.
    const bool chinese = g_strLanguage == "CHS" || g_strLanguage == "CHT";
    window_->m_fontText = InterfaceFonts::make(chinese ? "黑体" : "Arial", chinese ? 13 : 14, 400, g_strLanguage);
    window_->m_fontTitle = InterfaceFonts::make(chinese ? "黑体" : "Tahoma", 18, 700, g_strLanguage);
}

void AppShell::syncOnConnect()
{
    if (parts_.syncOnConnect)
        parts_.syncOnConnect(*session_);
}

void AppShell::applyConfig()
{
    if (parts_.applyToMouse)
        parts_.applyToMouse(*session_);
}

} // namespace vexo
