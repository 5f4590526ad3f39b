// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "config/config_record.h"
#include "config/profile_ini.h"

namespace vexo {

struct UiTexts;

// What str.ini holds for the main window: the button labels of the current language, the text
// colour and the skin name. Section "Skins" keeps "Lan", "Path", "RColor", "GColor", "BColor";
// the section of the language ("Setting-CHS", "Setting-CHT" or "Setting-EN") keeps the labels,
// "Item1".."Item12" for buttons 1-12 of mode A and "Item13", "Item23" .. "Item123" for mode B.
// Every read keeps at most 1023 UTF-16 characters; a missing key reads as empty.
//
// The main window owns one of these; members keep their usual names so the window code reads the
// same as everywhere else.
class IniSettings {
public:
    static constexpr std::size_t kLabels = 12;
    using Labels = std::array<std::string, kLabels>;

    std::filesystem::path m_strStrIniPath;
    std::string m_strSettingSection;
    Labels m_strButtonLabelA;
    Labels m_strButtonLabelB;
    std::string m_strRColor;
    std::string m_strGColor;
    std::string m_strBColor;
    std::string m_strSkinName;

    // The language code, "Skins"/"Lan" (empty when missing).
    static std::string ReadLanguage(const std::filesystem::path& strIni);
    // The same from m_strStrIniPath, through the reader LoadIniSettings and the saves use, so that
    // the file is parsed once while it does not change.
    std::string ReadLanguage() const;
    // The skin name, "Skins"/"Path" (empty when missing), as LoadIniSettings reads it.
    static std::string ReadSkinName(const std::filesystem::path& strIni);

    // Reads the 24 labels from the language section, then "RColor", "GColor", "BColor", "Path".
    // Needs m_strStrIniPath and m_strSettingSection.
    void LoadIniSettings();

    // Writes the 24 labels to the language section, mode A's first, in one replacement of the
    // file. Returns false when that failed; the file then keeps its previous content.
    bool SaveButtonLabels();

    // Formats the colour into m_strRColor, m_strGColor, m_strBColor ("%d") and writes them and
    // m_strSkinName ("Path") to "Skins", together. Returns false (file unchanged) when that failed.
    bool SaveSkinSettings(Rgb textColour);

    // The interface text colour from the three colour texts. A component whose key is missing (or
    // empty) takes the delivered colour's, so that an empty or unreadable file gives readable text
    // rather than black on the black skin.
    Rgb TextColour() const;
    static constexpr Rgb kDeliveredTextColour{220, 220, 220};

    // A colour text as a byte: the base-10 number its leading digits form (optional blanks and
    // sign first; no digits gives 0), of which only the low 8 bits count, so 300 gives 44.
    static std::uint8_t ColourComponent(std::string_view text);

    // Labels that match the key defaults, for a first run: buttons 1-5 get the names of their
    // functions in the current language, 6 and 7 "DPI +" and "DPI -", 8 the single key name
    // followed by "-V"; buttons 9-12 keep what they have. Both modes alike.
    void SetFirstRunLabels(const UiTexts& texts);

    // The key of a label: "Item<n>" for mode A, "Item<10n+3>" for mode B (button 0-11).
    static std::string LabelKey(KeyMode mode, std::size_t button);

    // The reason of the last failed save, empty after a success.
    const std::string& lastError() const { return lastError_; }

    // Why str.ini cannot be used although it exists (it cannot be read, or its encoding cannot be
    // kept: its labels then read as empty and saves are refused); empty when it is fine or missing.
    std::string FileProblem() const;

private:
    ProfileIni& file() const;

    std::string lastError_;
    // One reader for every read and write of m_strStrIniPath; replaced when the path changes.
    mutable std::shared_ptr<ProfileIni> file_;
};

} // namespace vexo
