// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "config/ini_settings.h"

#include <stdexcept>

#include "config/ui_texts.h"

namespace vexo {
namespace {

constexpr const char* kSkinsSection = "Skins";
constexpr std::size_t kReadBuffer = 1024;

} // namespace

std::string IniSettings::ReadLanguage(const std::filesystem::path& strIni) {
    return ProfileIni(strIni).readString(kSkinsSection, "Lan", {}, kReadBuffer);
}

std::string IniSettings::ReadSkinName(const std::filesystem::path& strIni) {
    return ProfileIni(strIni).readString(kSkinsSection, "Path", {}, kReadBuffer);
}

std::string IniSettings::LabelKey(KeyMode mode, std::size_t button) {
    if (button >= kLabels) {
        throw std::out_of_range("button " + std::to_string(button));
    }
    return "Item" + std::to_string(mode == KeyMode::A ? button + 1 : 10 * (button + 1) + 3);
}

std::string IniSettings::ReadLanguage() const { return file().readString(kSkinsSection, "Lan", {}, kReadBuffer); }

ProfileIni& IniSettings::file() const {
    if (!file_ || file_->path() != m_strStrIniPath) {
        file_ = std::make_shared<ProfileIni>(m_strStrIniPath);
    }
    return *file_;
}

std::string IniSettings::FileProblem() const { return file().problem(); }

void IniSettings::LoadIniSettings() {
    // One pass over each of the two sections: a huge file costs two walks, not 28.
    std::vector<std::string> keys;
    for (KeyMode mode : {KeyMode::A, KeyMode::B}) {
        for (std::size_t b = 0; b < kLabels; ++b) {
            keys.push_back(LabelKey(mode, b));
        }
    }
    const std::vector<std::string> labels = file().readStrings(m_strSettingSection, keys, kReadBuffer);
    for (std::size_t b = 0; b < kLabels; ++b) {
        m_strButtonLabelA[b] = labels[b];
        m_strButtonLabelB[b] = labels[kLabels + b];
    }
    const std::vector<std::string> skin =
        file().readStrings(kSkinsSection, {"RColor", "GColor", "BColor", "Path"}, kReadBuffer);
    m_strRColor = skin[0];
    m_strGColor = skin[1];
    m_strBColor = skin[2];
    m_strSkinName = skin[3];
}

bool IniSettings::SaveButtonLabels() {
    // One replacement of the file for all 24 labels: they are stored together or not at all.
    std::vector<std::pair<std::string, std::string>> entries;
    for (KeyMode mode : {KeyMode::A, KeyMode::B}) {
        const Labels& labels = mode == KeyMode::A ? m_strButtonLabelA : m_strButtonLabelB;
        for (std::size_t b = 0; b < kLabels; ++b) {
            entries.emplace_back(LabelKey(mode, b), labels[b]);
        }
    }
    ProfileIni& ini = file();
    const bool ok = ini.writeStrings(m_strSettingSection, entries);
    lastError_ = ini.lastError();
    return ok;
}

bool IniSettings::SaveSkinSettings(Rgb textColour) {
    m_strRColor = std::to_string(textColour.red);
    m_strGColor = std::to_string(textColour.green);
    m_strBColor = std::to_string(textColour.blue);
    ProfileIni& ini = file();
    const bool ok = ini.writeStrings(
        kSkinsSection,
        {{"RColor", m_strRColor}, {"GColor", m_strGColor}, {"BColor", m_strBColor}, {"Path", m_strSkinName}});
    lastError_ = ini.lastError();
    return ok;
}

std::uint8_t IniSettings::ColourComponent(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Only the low 8 bits are kept, so the number can be reduced as it is read and never overflows.
    unsigned value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = (value * 10 + static_cast<unsigned>(text[i] - '0')) & 0xFF;
    }
    return static_cast<std::uint8_t>(negative ? (0x100 - value) & 0xFF : value);
}

Rgb IniSettings::TextColour() const {
    const auto component = [](const std::string& text, std::uint8_t delivered) {
        return text.empty() ? delivered : ColourComponent(text);
    };
    return {component(m_strRColor, kDeliveredTextColour.red), component(m_strGColor, kDeliveredTextColour.green),
            component(m_strBColor, kDeliveredTextColour.blue)};
}

void IniSettings::SetFirstRunLabels(const UiTexts& texts) {
    for (Labels* labels : {&m_strButtonLabelA, &m_strButtonLabelB}) {
        (*labels)[0] = texts.m_strLeftClick;
        (*labels)[1] = texts.m_strRightClick;
        (*labels)[2] = texts.m_strMidClick;
        (*labels)[3] = texts.m_strForward;
        (*labels)[4] = texts.m_strBackward;
        (*labels)[5] = "DPI +";
        (*labels)[6] = "DPI -";
        (*labels)[7] = texts.m_strSingleKey + "-V";
    }
}

} // namespace vexo
