// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The shell's settings by their vocabulary names, for the session bus: read, set and apply with the
// same checks and the same code as vexoctl get and set, on the window's own record, so that a
// script and the window never overwrite each other and the page shows a change at once.
#include <QApplication>

#include "app/app_shell.h"
#include "config/config_store.h"
#include "config/file_locations.h"
#include "config/folder_lock.h"
#include "config/profile_ini.h"
#include "device/device_session.h"
#include "device/settings_sync.h"
#include "macro/macro_store.h"
#include "ui/frame/main_dialog.h"

namespace vexo {

bool AppShell::busyWithDialog() const {
    return starting_ || prompter_.boxOpen() || QApplication::activeModalWidget() != nullptr;
}

SettingsState AppShell::settingsState() const {
    SettingsState state;
    state.record = parts_.config.record();
    state.labelsA = settings_.m_strButtonLabelA;
    state.labelsB = settings_.m_strButtonLabelB;
    state.language = skin_.strLanguage;
    state.skin = settings_.m_strSkinName;
    state.macroNames = ReadMacroSectionNames(ProfileIni(parts_.locations.recordIni()));
    // DPI values are rows of the list of the mouse's sensor; without a mouse the rows are named.
    if (session_->mousePresent())
        state.sensorType = sync_->sensorType();
    return state;
}

AppShell::SetResult AppShell::setSettings(const std::vector<SettingAssignment>& assignments, bool apply) {
    SetResult result;
    if (busyWithDialog()) {
        result.failure = "the window is busy with a dialog; finish it first";
        return result;
    }
    // A save of the window's Apply still running owns the folder; this change comes after it.
    waitForApply();
    // From the check to the save, so no other program's save falls between.
    const FolderLock lock(FolderLock::FolderOf(parts_.config.path()));
    if (lock.busy()) {
        result.failure = lock.message();
        return result;
    }
    SettingsState state = settingsState();
    // A new language brings its own labels: later assignments of the same set act on those, as in
    // vexoctl set.
    for (const SettingAssignment& a : assignments) {
        SettingsState probe = state;
        if (a.name == "language" && SettingsVocabulary::Apply(probe, {a}).empty() && probe.language != state.language) {
            IniSettings other = settings_;
            other.m_strSettingSection = SelectTexts(probe.language).m_strSettingSection;
            other.LoadIniSettings();
            state.language = probe.language;
            state.labelsA = other.m_strButtonLabelA;
            state.labelsB = other.m_strButtonLabelB;
        }
    }
    result.refused = SettingsVocabulary::Apply(state, assignments);
    if (!result.refused.empty())
        return result;

    parts_.config.record() = state.record;
    if (state.language != skin_.strLanguage) {
        ProfileIni ini(settings_.m_strStrIniPath);
        if (!ini.writeString("Skins", "Lan", state.language)) {
            result.failure = "the language could not be saved: " + ini.lastError();
            return result;
        }
        selectLanguage();
        parts_.tray.setMenuItem(texts_.m_strExit, [this] { exitCommand(); });
        if (fontsCreated_)
            createFonts();
    }
    settings_.m_strButtonLabelA = state.labelsA;
    settings_.m_strButtonLabelB = state.labelsB;
    if (state.skin != settings_.m_strSkinName) {
        settings_.m_strSkinName = state.skin;
        if (!settings_.SaveSkinSettings(settings_.TextColour())) {
            result.failure = "the skin could not be saved: " + settings_.lastError();
            return result;
        }
        useSkinAndColour();
    }

    if (apply && session_->mousePresent()) {
        // When the mouse holds the applied snapshot, only what differs from it goes out.
        const ConfigRecord onMouse = parts_.config.snapshot();
        result.failure = applyToMouse(mouseHoldsSnapshot_ ? &onMouse : nullptr);
    } else {
        if (parts_.config.SaveConfig() != ConfigStore::SaveResult::Saved)
            result.failure = parts_.config.path().string() + " not saved: " + parts_.config.lastError();
        else if (!settings_.SaveButtonLabels())
            result.failure = "button labels not saved: " + settings_.lastError();
        parts_.config.TakeSnapshot();
        mouseHoldsSnapshot_ = false; // saved, not sent
    }
    redrawShownPage();
    return result;
}

std::string AppShell::applyToMouse(const ConfigRecord* onMouse) {
    if (!session_->mousePresent())
        return "no usable mouse is connected";
    // A mouse that came while the window stayed hidden has not told its sensor type yet, and the
    // DPI block is built for it.
    if (!basicPageReady_)
        sync_->ConnectSensor();
    const SettingsSync::ApplyResult result = onMouse ? sync_->ApplyChanges(*onMouse) : sync_->ApplyConfig();
    mouseHoldsSnapshot_ = result.complete();
    if (!result.sent || result.folderBusy || result.configUnread)
        return "nothing was sent to the mouse";
    parts_.config.TakeSnapshot();
    applyDesktopSettings();
    emit settingsApplied();
    return result.complete() ? std::string() : ApplyIncompleteText(result);
}

std::string AppShell::applyFromBus() {
    if (busyWithDialog())
        return "the window is busy with a dialog; finish it first";
    waitForApply();
    return applyToMouse();
}

} // namespace vexo
