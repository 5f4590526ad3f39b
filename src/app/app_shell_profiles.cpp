// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The shell's named profiles: the tray menu lists them, and a pick loads one as vexoctl's profile
// load does, then applies it to the mouse as the window's Apply does.
#include <filesystem>

#include "app/app_shell.h"
#include "config/application_title.h"
#include "config/config_store.h"
#include "config/file_locations.h"
#include "config/folder_lock.h"
#include "config/json_value.h"
#include "config/profile_document.h"
#include "config/profile_folder.h"
#include "device/device_session.h"
#include "macro/profile_setup.h"
#include "ui/frame/main_dialog.h"

namespace vexo {

std::vector<std::string> AppShell::profileNames() const {
    const std::optional<std::filesystem::path> folder = ProfileFolder::Path();
    return folder ? ProfileFolder::List(*folder) : std::vector<std::string>{};
}

std::vector<TrayIcon::MenuEntry> AppShell::profileMenuEntries() {
    std::vector<TrayIcon::MenuEntry> entries;
    for (const std::string& name : profileNames())
        entries.push_back({name, [this, name] { loadProfile(name); }});
    return entries;
}

std::string AppShell::loadProfile(const std::string& name, bool apply) {
    // A save of the window's Apply still running owns the folder; the profile comes after it.
    waitForApply();
    const std::string failed = readProfileIn(name);
    if (!failed.empty()) {
        parts_.tray.notice("Warning", texts_.m_strProfileNotLoaded + failed, kProfileNoticeMs);
        return failed;
    }
    const bool present = session_->mousePresent();
    // The files now hold the profile: it is what Cancel goes back to, sent or not.
    const std::string incomplete = present && apply ? applyToMouse() : std::string();
    if (!present || !apply)
        mouseHoldsSnapshot_ = false;
    parts_.config.TakeSnapshot();
    redrawShownPage();
    if (!apply)
        return {}; // nothing reached the mouse, so there is nothing to tell
    if (!present) {
        parts_.tray.notice("Warning", texts_.m_strNoMouse, kProfileNoticeMs);
        return {};
    }
    if (!incomplete.empty()) {
        parts_.tray.notice("Warning", texts_.m_strProfileNotLoaded + name + ": " + incomplete, kProfileNoticeMs);
        return incomplete;
    }
    parts_.tray.notice("Info", texts_.m_strProfileLoaded + name, kProfileNoticeMs);
    return {};
}

std::string AppShell::readProfileIn(const std::string& name) {
    // A dialog or message box is working on the record: it would be changed under it.
    if (starting_ || raiseOpenBox())
        return "the window is busy; finish its dialog first";
    if (const std::string problem = ProfileFolder::CheckName(name); !problem.empty())
        return problem;
    const std::optional<std::filesystem::path> folder = ProfileFolder::Path();
    if (!folder)
        return "neither XDG_CONFIG_HOME nor HOME is set; the profiles have no folder";
    const std::filesystem::path file = ProfileFolder::FileOf(*folder, name);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        return "there is no profile '" + name + "'";
    const ProfileSetup::FileText text = ProfileSetup::ReadFile(file, JsonValue::kMaxText);
    if (!text.error.empty())
        return text.error;
    ProfileDocument::ReadResult read = ProfileDocument::Read(text.text);
    if (read.content)
        read.errors = ProfileSetup::Check(*read.content);
    if (!read.errors.empty())
        return file.string() + ": " + read.errors.front();

    // Held until the files are written and read back, so no other program's save falls between.
    const FolderLock lock(FolderLock::FolderOf(parts_.config.path()));
    if (lock.busy())
        return lock.message();
    if (const std::string problem =
            ProfileSetup::Write(parts_.config, settings_, parts_.locations.recordIni(), *read.content);
        !problem.empty())
        return problem;
    // Read back as at start, so the store knows the file as it now is (its later merges compare to it).
    parts_.config.LoadConfig();
    const std::string language = skin_.strLanguage;
    const std::string skinName = settings_.m_strSkinName;
    if (read.content->language != language) {
        selectLanguage();
        parts_.tray.setMenuItem(texts_.m_strExit, [this] { exitCommand(); });
        if (fontsCreated_)
            createFonts();
    }
    loadSettings();
    if (settings_.m_strSkinName != skin_.strSkinName)
        useSkinAndColour();
    return {};
}

} // namespace vexo
