// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "app/app_shell.h"

#include <QApplication>
#include <QScopeGuard>
#include <QColorDialog>
#include <QString>
#include <QTimer>
#include <QWidget>

#include "app/tray_notice.h"
#include "config/application_title.h"
#include "config/config_store.h"
#include "config/dpi_table.h"
#include "config/file_locations.h"
#include "device/device_session.h"
#include "device/settings_sync.h"
#include "platform/device_monitor.h"
#include "platform/prompter.h"
#include "platform/qt/device_monitor_notifier.h"
#include "config/file_locations.h"
#include "platform/qt/activation_token.h"
#include "platform/qt/qt_keyboard_hook.h"
#include "ui/advanced/advanced_page.h"
#include "ui/basic/basic_page.h"
#include "ui/basic/button_function_dispatch.h"
#include "ui/dialogs/delay_time_dialog.h"
#include "ui/frame/main_dialog.h"
#include "ui/dialogs/skin_function_dialogs.h"
#include "ui/dialogs/skins_dialog.h"
#include "ui/skin/skin_context.h"

namespace vexo {

namespace {
// How often an arrival that came while a message box was open looks whether the box has gone.
constexpr int kBoxRetryMs = 200;
} // namespace

AppShell::AppShell(ShellParts parts, QObject* parent)
    : QObject(parent), parts_(std::move(parts)), prompter_(parts_.prompter) {
    window_ = std::make_unique<CMainDialog>(skin_, *this, parts_.tray.available());
    session_ =
        std::make_unique<DeviceSession>(parts_.hid, parts_.pauser, prompter_, *this, std::string(kApplicationTitle));
    sync_ = std::make_unique<SettingsSync>(*session_, parts_.config, settings_, prompter_);
    keyboardHook_ = std::make_unique<QtKeyboardHook>();
    dialogs_ = std::make_unique<SkinFunctionDialogs>(window_.get(), skin_, prompter_, *keyboardHook_, parts_.locations);
    // Recording goes through the same hook as key capture; a macro line's delay comes from the delay dialog.
    advanced_ = std::make_unique<AdvancedPage>(
        AdvancedPage::Services{*window_, parts_.config, parts_.desktopSettings, *keyboardHook_, prompter_, texts_,
                               parts_.locations.recordIni(), [this](int current) -> std::optional<int> {
                                   CDelayTimeDialog dialog(skin_, prompter_, window_.get(), current);
                                   if (dialog.exec() != QDialog::Accepted)
                                       return std::nullopt;
                                   return dialog.m_nDelay;
                               }});
    window_->SetPageContent(kAdvancedPage, advanced_.get());
    dispatch_ = std::make_unique<ButtonFunctionDispatch>(parts_.config.record(), texts_, *dialogs_);
    basicPage_ =
        std::make_unique<BasicPage>(BasicPageParts{*window_, parts_.config.record(), settings_, texts_, *dispatch_,
                                                   prompter_, [this] { return sync_->sensorType(); }});
    window_->SetPageContent(kBasicPage, basicPage_.get());
    bridge_ = std::make_unique<NoticeBridge>([this](std::uint8_t kind, std::uint8_t value) {
        showNotice(kind, value);
        if (kind == kNoticeMousePresent || kind == kNoticeNoMouse)
            presenceChanged();
        emit deviceNoticeShown(kind, value);
    });
}

AppShell::~AppShell() {
    cleanUp();
    window_->SetPageContent(kAdvancedPage, nullptr);
}

void AppShell::initialise(bool showWindow) {
    trace_.clear();
    starting_ = true;
    struct Started {
        bool& starting;
        ~Started() { starting = false; }
    } started{starting_};
    // Behind the icon nothing is drawn until the first showing: the pictures and the back buffer
    // are not even loaded for it.
    if (!showWindow && parts_.tray.available())
        window_->ReleaseFace();
    // The texts come first, so that the notices of the mouse's discovery already have their text.
    selectLanguage();
    trace_.push_back("texts");

    parts_.tray.onClick([this](TrayIcon::Click click) { trayClicked(click); });
    parts_.tray.setMenuItem(texts_.m_strExit, [this] { exitCommand(); });
    parts_.tray.setMenuEntries([this] { return profileMenuEntries(); });
    parts_.tray.show(kTrayTip);
    trace_.push_back("tray");

    // The input thread hands its notices over and waits until the window's thread has shown them.
    session_->setNoticeReceiver([this](std::uint8_t kind, std::uint8_t value) { bridge_->deliver(kind, value); });
    session_->start();
    trace_.push_back(session_->mousePresent() ? "mouse" : "no mouse");
    trace_.push_back("input thread");
    if (cleanedUp_)
        return;

    if (parts_.monitor != nullptr) {
        if (parts_.monitor->start()) {
            notifier_ = std::make_unique<DeviceMonitorNotifier>(*parts_.monitor);
            connect(notifier_.get(), &DeviceMonitorNotifier::deviceChanged, this,
                    [this](const DeviceChange& change) { deviceChanged(change); });
        } else {
            // Without hot-plug the program still works with the mouse it found; the user is told why
            // plugging will go unnoticed.
            prompter_.message("RegisterDeviceNotification failed!!!", std::string(kApplicationTitle));
        }
    }
    trace_.push_back("hot-plug");

    if (cleanedUp_)
        return;
    loadConfig();
    parts_.config.TakeSnapshot();
    trace_.push_back("config");
    if (cleanedUp_)
        return;

    loadSettings();
    trace_.push_back("settings");
    useSkinAndColour();
    trace_.push_back("skin");
    if (!window_->FaceReleased()) {
        createFonts();
        trace_.push_back("fonts");
    }
    if (cleanedUp_)
        return;

    if (session_->mousePresent()) {
        showBasicPage();
        trace_.push_back("basic page");
    } else {
        // Without a mouse the frame is drawn all the same, and the page says what is missing.
        window_->DrawPage();
    }
    if (cleanedUp_)
        return;
    if (showWindow)
        window_->BringToFront();
    else if (window_->FaceReleased())
        window_->ReleaseFace(); // what the start-up freed goes back to the system too
}

void AppShell::showBasicPage() { window_->ShowBasicPage(); }

bool AppShell::prepareBasicPage() {
    // The first showing with a mouse reads the mouse once (and sets the first-run labels).
    if (basicPageReady_ || !session_->mousePresent() || prompter_.boxOpen())
        return false;
    waitForApply(); // the first-run labels are saved to str.ini too
    syncOnConnect();
    basicPageReady_ = true;
    return true;
}

void AppShell::prepareFace() {
    if (!fontsCreated_)
        createFonts();
}

std::optional<unsigned> AppShell::dpiValueOfStage(std::uint8_t stage) const {
    // The sensor type of the last connection picks the DPI list.
    const std::uint8_t sensor = sync_->sensorType();
    return DpiValue(sensor, parts_.config.record().dpiValues()[stage - 1]);
}

void AppShell::deviceNotice(std::uint8_t kind, std::uint8_t value) { bridge_->deliver(kind, value); }

void AppShell::showNotice(std::uint8_t kind, std::uint8_t value) {
    std::optional<unsigned> dpi;
    if (kind == kNoticeDpiStage && value >= 1 && value <= 8)
        dpi = dpiValueOfStage(value);
    if (const auto notice = NoticeFor(kind, value, texts_, dpi))
        parts_.tray.notice(notice->title, notice->text, notice->timeoutMs);
}

void AppShell::presenceChanged() {
    // Another connection, perhaps another mouse: what it holds is not known.
    mouseHoldsSnapshot_ = false;
    if (cleanedUp_)
        return;
    const bool firstShowing = session_->mousePresent() && !basicPageReady_ && window_->isVisible();
    if (firstShowing && prompter_.boxOpen()) {
        // The work that opened the box may be talking to the mouse: the first showing waits for it.
        QTimer::singleShot(kBoxRetryMs, this, [this] { presenceChanged(); });
        window_->DrawPage();
    } else if (firstShowing) {
        showBasicPage(); // reads the mouse first, as a click on the icon would
    } else {
        window_->DrawPage();
    }
}

void AppShell::hideMainWindow() {
    // Without a notification area nothing could bring the window back.
    if (parts_.tray.available())
        window_->hide();
}

bool AppShell::raiseOpenBox() {
    // A message box of ours, or a modal dialog (a key capture, a picker) that runs its own loop.
    QWidget* box = QApplication::activeModalWidget();
    if (!prompter_.boxOpen() && box == nullptr)
        return false;
    if (box != nullptr) {
        box->raise();
        box->activateWindow();
    }
    return true;
}

void AppShell::trayClicked(TrayIcon::Click click) {
    if (click == TrayIcon::Click::Right)
        return; // the icon opens its menu itself
    if (raiseOpenBox() || starting_)
        return;
    if (!session_->mousePresent()) {
        showNotice(kNoticeNoMouse, 0);
        return;
    }
    refreshBeforeShowing();
    window_->BringToFront();
}

void AppShell::activate(bool show, const QByteArray& token) {
    // Qt takes the token at the activation below, if there is one; whatever is left is dropped.
    ActivationToken::useForNextActivation(token);
    const auto dropUnused = qScopeGuard([] { ActivationToken::discardUnused(); });
    // The work that opened a box, or the start-up, is half done: running the catching up now would
    // start it a second time (another exchange with the mouse, another box).
    if (raiseOpenBox())
        return;
    if (starting_)
        return;
    if (parts_.tray.available() && !show) {
        // The icon is the way to the window; one already shown just comes to the front.
        if (window_->isVisible())
            window_->BringToFront();
        return;
    }
    // The window comes even without a mouse; what Cancel left pending is caught up as from the icon.
    refreshBeforeShowing();
    window_->BringToFront();
}

void AppShell::refreshBeforeShowing() {
    if (!basicPageReady_ && session_->mousePresent())
        showBasicPage();
}

void AppShell::deviceChanged(const DeviceChange& change) { session_->handleDeviceChange(change); }

void AppShell::cleanUp() {
    // A save still running is finished, never cut short, whatever ends the program.
    waitForApply();
    if (cleanedUp_)
        return;
    cleanedUp_ = true;
    // Release an input thread waiting for a hand-over first, so stopping it cannot wait on us.
    bridge_->close();
    notifier_.reset();
    session_->shutdown();
    parts_.tray.hide();
}

void AppShell::exitCommand() { shutdown(); }

void AppShell::shutdown() {
    cleanUp();
    window_->AllowClose();
    window_->hide();
    emit exitRequested(0);
}

bool AppShell::mousePresent() const { return session_->mousePresent(); }

void AppShell::takeSnapshot() {
    parts_.config.TakeSnapshot();
    // After the window's Apply, which sends everything to a present mouse.
    mouseHoldsSnapshot_ = session_->mousePresent();
}

void AppShell::restoreSnapshot() {
    waitForApply(); // its snapshot first, or Cancel would undo what was just applied
    parts_.config.RestoreSnapshot();
    // The labels and the page follow at once, not when the window comes back: without a
    // notification area it comes back by being un-minimised (or is never hidden), which nothing
    // here sees, and an Apply from a page still showing the undone choices would save their labels
    // beside the restored functions.
    loadSettings();
    window_->RebuildCurrentPage();
}

void AppShell::applyDesktopSettings() {
    // The desktop values of a config.bin not read are the delivered ones, not the user's.
    if (parts_.config.fileUnread())
        return;
    advanced_->ApplyDesktopSettings();
}

void AppShell::openSkinPicker() {
    CSkinsDialog::Setup setup;
    for (const auto& root : parts_.locations.skinRoots())
        setup.skinsRoots << QString::fromStdString(root.string());
    setup.language = skin_.strLanguage;
    setup.font = window_->m_fontText;
    setup.chooseColour = [](QWidget* parent) -> std::optional<QColor> {
        // Always offered from black, whatever the colour in use.
        const QColor chosen = QColorDialog::getColor(Qt::black, parent);
        return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
    };
    CSkinsDialog picker(setup, skin_, parts_.prompter, window_.get());
    if (picker.exec() != QDialog::Accepted)
        return;
    const QColor colour = picker.m_colorText;
    applySkinChoice(picker.m_strSelectedSkinDir.toStdString(), picker.m_strSelectedSkin.toStdString(),
                    TextColour{std::uint8_t(colour.red()), std::uint8_t(colour.green()), std::uint8_t(colour.blue())});
}

void AppShell::applySkinChoice(const std::string& skinDir, const std::string& skinName, TextColour colour) {
    waitForApply(); // both save into str.ini
    skin_.strSkinDir = skinDir;
    skin_.textColor = colour;
    skin_.strSkinName = skinName;
    settings_.m_strSkinName = skinName;
    // On Windows the write fails silently; here the user learns that the choice lasts only this run.
    if (!settings_.SaveSkinSettings(Rgb{colour.r, colour.g, colour.b}))
        parts_.prompter.message(kSkinNotSavedText + settings_.lastError() + ".", std::string(kApplicationTitle));
    // A start without a usable background left no back buffer to draw the new skin into.
    if (window_->BackBuffer().isNull())
        window_->LoadBackground();
    redrawShownPage();
    window_->BringToFront();
}

void AppShell::redrawShownPage() {
    if (window_->CurrentPage() == kBasicPage || window_->CurrentPage() == kAdvancedPage)
        window_->RebuildCurrentPage();
    else
        window_->DrawPage();
}

void AppShell::openUrl(const std::string& url) {
    if (parts_.openUrl)
        parts_.openUrl(url);
}

} // namespace vexo
