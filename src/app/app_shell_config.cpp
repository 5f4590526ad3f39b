// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The shell's start-up steps over the configuration: language and texts, str.ini's labels, skin
// and text colour, fonts, and the exchanges of the configuration with the mouse.
#include <QMetaObject>
#include <QString>
#include <filesystem>
#include <utility>

#include "app/app_shell.h"
#include "app/startup_prefetch.h"
#include "config/application_title.h"
#include "config/config_store.h"
#include "config/file_locations.h"
#include "config/ui_fonts.h"
#include "device/device_session.h"
#include "device/settings_sync.h"
#include "platform/prompter.h"
#include "ui/skin/interface_fonts.h"
#include "ui/frame/main_dialog.h"
#include "ui/skin/skin_drawing.h"
#include "ui/skin/skin_context.h"

namespace vexo {

void AppShell::selectLanguage() {
    skin_.strLanguage = IniSettings::ReadLanguage(parts_.locations.strIni());
    texts_ = SelectTexts(skin_.strLanguage);
    settings_.m_strStrIniPath = parts_.locations.strIni();
    settings_.m_strSettingSection = texts_.m_strSettingSection;
    CMainDialog& w = *window_;
    w.m_strBasicSettings = QString::fromStdString(texts_.m_strBasicSettings);
    w.m_strAdvancedSettings = QString::fromStdString(texts_.m_strAdvancedSettings);
    w.m_strColorSetting = QString::fromStdString(texts_.m_strColorSetting);
    w.m_strOk = QString::fromStdString(texts_.m_strOk);
    w.m_strApply = QString::fromStdString(texts_.m_strApply);
    w.m_strCancel = QString::fromStdString(texts_.m_strCancel);
    w.m_strWebAddress = QString::fromStdString(texts_.m_strWebAddress);
    w.m_strMouseAbsent = QString::fromStdString(texts_.m_strMouseAbsent);
}

void AppShell::loadConfig() {
    ConfigStore& config = parts_.config;
    const std::string title(kApplicationTitle);
    switch (config.LoadConfig()) {
    case ConfigStore::LoadResult::Loaded: break;
    case ConfigStore::LoadResult::Missing: prompter_.message(SettingsSync::kConfigMissingText, title); break;
    case ConfigStore::LoadResult::Unreadable:
        // The file may hold the user's settings: they are neither guessed (an all-zero record
        // would turn the mouse into left clicks at Apply) nor replaced. The window shows the
        // delivered settings, and Apply waits until the file can be read.
        config.UseDefaultsForUnreadableFile();
        prompter_.message(config.lastError() + ". " + kUnreadableConfigText, title);
        break;
    case ConfigStore::LoadResult::WrongSize: {
        // An all-zero record would make every button a left click and turn every DPI stage off,
        // on the mouse too at the first Apply; the delivered settings are a sound start instead.
        const std::string why = config.lastError();
        const std::filesystem::path kept = config.RecoverFromDamagedFile();
        const std::string where =
            kept.empty() ? "It could not be kept (" + config.lastError() + ")" : "It is kept as " + kept.string();
        prompter_.message("config.bin is damaged: " + why + ". " + where +
                              "; the delivered settings are used instead and replace it at the next Apply.",
                          title);
        break;
    }
    }
}

void AppShell::loadSettings() {
    settings_.LoadIniSettings();
    if (settingsProblemTold_)
        return;
    if (const std::string problem = settings_.FileProblem(); !problem.empty()) {
        settingsProblemTold_ = true;
        prompter_.message(problem + ". " + kSettingsUnusableText, std::string(kApplicationTitle));
    }
}

void AppShell::useSkinAndColour() {
    const std::string& name = settings_.m_strSkinName;
    const FileLocations& where = parts_.locations;
    std::optional<std::filesystem::path> folder = where.findSkin(name);
    if (!folder) {
        // A deleted or misspelt skin gets the delivered one, so the window still has its pictures;
        // str.ini keeps the name until the user picks another skin.
        folder = where.findSkin(FileLocations::kDefaultSkin);
        const std::string quoted = "\"" + name + "\"";
        if (folder && !name.empty()) {
            prompter_.message("The skin " + quoted + " was not found; the skin \"" + FileLocations::kDefaultSkin +
                                  "\" is used instead.",
                              std::string(kApplicationTitle));
        } else if (!folder) {
            std::string roots;
            for (const auto& root : where.skinRoots())
                roots += "\n" + root.string();
            prompter_.message("No skin was found (neither " + (name.empty() ? std::string() : quoted + " nor ") + "\"" +
                                  FileLocations::kDefaultSkin + "\") in:" + roots +
                                  "\nThe window is drawn in plain colours.",
                              std::string(kApplicationTitle));
        }
    }
    skin_.strSkinName = folder ? folder->filename().string() : name;
    skin_.strSkinDir = folder ? folder->string() : where.skinFolder(name).string();
    if (!window_->FaceReleased()) {
        if (parts_.prefetch != nullptr)
            parts_.prefetch->handOverBackground(skin_.images(), skin_.skinDir());
        window_->LoadBackground();
    }
    const Rgb colour = settings_.TextColour();
    skin_.textColor = TextColour{colour.red, colour.green, colour.blue};
}

void AppShell::createFonts() {
    const LanguageFonts fonts = FontsFor(LanguageOf(skin_.strLanguage), kAskForHei);
    const auto make = [this](const FontSpec& font) {
        return InterfaceFonts::make(QString::fromUtf8(font.face.data(), qsizetype(font.face.size())), font.height,
                                    font.weight, skin_.strLanguage);
    };
    window_->m_fontText = make(fonts.text);
    window_->m_fontTitle = make(fonts.title);
    fontsCreated_ = true;
}

void AppShell::syncOnConnect() { sync_->SyncOnConnect(texts_); }

void AppShell::applyConfig(std::function<void()> done) {
    waitForApply(); // the window takes no input meanwhile; anything else finishes the earlier one first
    applyDone_ = std::move(done);
    const unsigned generation = ++applyGeneration_;
    // Called on the saving thread: the rest waits for this thread's event loop.
    applyStarting_ = true;
    applySavedEarly_ = false;
    applyRun_ = sync_->StartApply([this, generation] { postApplySaved(generation); });
    applyStarting_ = false;
    if (applySavedEarly_)
        waitForApply();
}

void AppShell::postApplySaved(unsigned generation) {
    QMetaObject::invokeMethod(
        this, [this, generation] { applySaved(generation); }, Qt::QueuedConnection);
}

void AppShell::applySaved(unsigned generation) {
    // waitForApply may have finished this run already, and a later one may be running.
    if (generation != applyGeneration_)
        return;
    // A box shown while the commands ran turned the event loop before the run was handed over:
    // applyConfig finishes it.
    if (applyStarting_) {
        applySavedEarly_ = true;
        return;
    }
    waitForApply();
}

void AppShell::waitForApply() {
    if (!applyRun_)
        return;
    const SettingsSync::ApplyResult result = sync_->FinishApply(std::move(applyRun_));
    // The files are saved either way; the user must know that the mouse may not hold them, or they
    // would take the mouse's behaviour for what they set.
    if (result.sent && !result.folderBusy && !result.complete())
        prompter_.message(ApplyIncompleteText(result), std::string(kApplicationTitle));
    if (result.sent && !result.folderBusy && !result.configUnread)
        emit settingsApplied();
    if (const std::function<void()> done = std::exchange(applyDone_, {}))
        done();
}

std::string AppShell::ApplyIncompleteText(const SettingsSync::ApplyResult& result) {
    std::string text = "The mouse did not take all of the settings";
    if (result.failedCalls > 0)
        text += ": " + std::to_string(result.failedCalls) + " of " + std::to_string(result.calls) +
            " exchanges failed or came back short";
    if (!result.readBack)
        text += result.failedCalls > 0 ? "; its lighting and colours were left as they were"
                                       : ": its lighting and colours could not be read and were left as they were";
    return text + ". The settings are saved; press Apply again, or replug the mouse and then Apply.";
}

} // namespace vexo
