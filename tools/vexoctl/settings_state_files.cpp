// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "settings_state_files.h"

#include "config/profile_ini.h"
#include "macro/macro_store.h"

namespace vexo::cli {

SettingsState ReadSettingsState(const SettingsFiles& files, std::optional<std::uint8_t> sensorType) {
    SettingsState state;
    state.record = files.store.record();
    state.labelsA = files.settings.m_strButtonLabelA;
    state.labelsB = files.settings.m_strButtonLabelB;
    state.language = files.settings.ReadLanguage();
    state.skin = files.settings.m_strSkinName;
    state.macroNames = ReadMacroSectionNames(ProfileIni(files.locations.recordIni()));
    state.sensorType = sensorType;
    return state;
}

void ReloadLabelsForLanguage(SettingsFiles& files, SettingsState& state) {
    const std::string section = SelectTexts(state.language).m_strSettingSection;
    if (section == files.settings.m_strSettingSection)
        return;
    files.settings.m_strSettingSection = section;
    files.settings.LoadIniSettings();
    state.labelsA = files.settings.m_strButtonLabelA;
    state.labelsB = files.settings.m_strButtonLabelB;
}

void TakeSettingsState(SettingsFiles& files, const SettingsState& state) {
    files.store.record() = state.record;
    files.settings.m_strButtonLabelA = state.labelsA;
    files.settings.m_strButtonLabelB = state.labelsB;
    files.settings.m_strSettingSection = SelectTexts(state.language).m_strSettingSection;
}

std::string WriteSkinAndLanguage(SettingsFiles& files, const SettingsState& state) {
    if (state.skin != files.settings.m_strSkinName) {
        files.settings.m_strSkinName = state.skin;
        if (!files.settings.SaveSkinSettings(files.settings.TextColour()))
            return files.settings.lastError();
    }
    if (state.language != files.settings.ReadLanguage()) {
        // Through the settings' own reader path, written last so no cached copy is stale afterwards.
        ProfileIni ini(files.settings.m_strStrIniPath);
        if (!ini.writeString("Skins", "Lan", state.language))
            return "could not write the language to " + files.settings.m_strStrIniPath.string();
    }
    return {};
}

} // namespace vexo::cli
