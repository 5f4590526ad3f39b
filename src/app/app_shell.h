// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QByteArray>
#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/box_counting_prompter.h"
#include "app/notice_bridge.h"
#include "config/ini_settings.h"
#include "config/settings_vocabulary.h"
#include "config/ui_texts.h"
#include "device/device_notice_listener.h"
#include "device/settings_sync.h"
#include "platform/tray_icon.h"
#include "ui/frame/frame_actions.h"
#include "ui/skin/skin_context.h"

namespace vexo {

class BasicPage;
class ButtonFunctionDispatch;
class QtKeyboardHook;
class SkinFunctionDialogs;
class CMainDialog;
class ConfigStore;
class AdvancedPage;
class DesktopPointerSettings;
class DeviceMonitor;
class DeviceMonitorNotifier;
class DeviceSession;
class FileLocations;
class HidBackend;
class Pauser;
class Prompter;
class SettingsSync;
class StartupPrefetch;
struct DeviceChange;

// What the shell works with. Everything must outlive the shell.
struct ShellParts {
    HidBackend& hid;
    Pauser& pauser;
    ConfigStore& config;
    TrayIcon& tray;
    Prompter& prompter;
    DesktopPointerSettings& desktopSettings;
    DeviceMonitor* monitor = nullptr; // hot-plug; nullptr runs without
    // Opens a web address in the desktop's browser.
    std::function<void(const std::string&)> openUrl;
    // Where str.ini and the skin folders are.
    const FileLocations& locations;
    // Work started ahead on other threads; nullptr does it all in turn.
    StartupPrefetch* prefetch = nullptr;
};

// The application shell: the main window's start-up, the notification-area icon and its notices,
// device changes, and shutdown. Implements what the frame asks of the program.
class AppShell final : public QObject, public FrameActions, public DeviceNoticeListener {
    Q_OBJECT
public:
    static constexpr const char* kTrayTip = "VEXO T58 VuravoVazov";
    static constexpr const char* kSkinNotSavedText = "The skin and text colour could not be saved: ";
    // Follows the reason when str.ini exists but cannot be used.
    static constexpr const char* kSettingsUnusableText =
        "The button labels start empty, the text colour is the delivered one, and neither is saved.";
    // Follows the reason when config.bin could not be read at start.
    static constexpr const char* kUnreadableConfigText =
        "The delivered settings are shown instead of the saved ones; Apply and OK send nothing to the mouse "
        "and save nothing until config.bin can be read.";

    explicit AppShell(ShellParts parts, QObject* parent = nullptr);
    ~AppShell() override;

    // The start-up of the main window, in this order: the language and its texts; the tray icon;
    // the mouse (open and handshake, which announces itself); the input thread; hot-plug; config.bin
    // into the record and the snapshot; the settings; the skin and the background; the text colour;
    // the fonts; the basic page when a mouse is present, else the frame saying that no mouse is
    // there. The window stays hidden unless showWindow; hidden behind the icon, it holds no face
    // (see CMainDialog::ReleaseFace), and the fonts and the page's pictures wait for its first
    // showing, while the mouse is still read here. Stops early when the shell was shut down
    // meanwhile (an Exit chosen or a signal received while a start-up message box was open).
    void initialise(bool showWindow);

    CMainDialog& window() { return *window_; }
    // The language, skin and text colour every window of the shell draws with.
    SkinContext& skin() { return skin_; }
    // The basic page has read the mouse once since start-up.
    bool basicPageReady() const { return basicPageReady_; }
    AdvancedPage& advancedPage() { return *advanced_; }
    BasicPage& basicPage() { return *basicPage_; }
    DeviceSession& session() { return *session_; }
    const UiTexts& texts() const { return texts_; }
    const IniSettings& settings() const { return settings_; }
    // Names of the start-up steps as they ran, for checking their order.
    const std::vector<std::string>& startupTrace() const { return trace_; }

    // The tray icon was clicked.
    void trayClicked(TrayIcon::Click click);
    // A later start asked for this one. While a message box is open or the start-up still runs,
    // only the box (or the window) comes to the front; otherwise, where there is no notification
    // area, the window is shown, with or without a mouse, after the same catching up as a click on
    // the icon. With a notification area the icon is the way to the window: only a window already
    // shown comes to the front, unless show asks for the window (a start from the menu with --show),
    // which then comes as where there is no notification area. token: the later start's
    // activation token, handed to the window system for whatever comes forward (a Wayland
    // compositor activates, and un-minimises, a window only with one).
    void activate(bool show = false, const QByteArray& token = QByteArray());
    // The tray menu's exit command.
    void exitCommand();
    // A hot-plug notice.
    void deviceChanged(const DeviceChange& change);
    // Stops the device link and removes the icon; idempotent. Then the program may end.
    void cleanUp();

    // DeviceNoticeListener: notices 14 and 15 on this thread, 5/7/8/9 from the input thread.
    void deviceNotice(std::uint8_t kind, std::uint8_t value) override;
    void hideMainWindow() override;

    // FrameActions.
    bool mousePresent() const override;
    bool prepareBasicPage() override;
    // Creates the fonts a start behind the icon left for the first showing.
    void prepareFace() override;
    // What the user is told after an Apply the mouse did not take whole.
    static std::string ApplyIncompleteText(const SettingsSync::ApplyResult& result);
    // Sends and saves as SettingsSync::StartApply does; the files are written on another thread
    // while this thread's event loop keeps turning, and done runs once the save's problems are told.
    void applyConfig(std::function<void()> done) override;
    // An Apply is still saving.
    bool applyRunning() const { return applyRun_ != nullptr; }
    // Waits for an Apply still saving and finishes it (its messages, then its done) at once. Whatever
    // reads or changes the configuration or the labels outside the window's input calls it first,
    // and so does the end of the program: no save is ever cut short.
    void waitForApply();
    void takeSnapshot() override;
    void restoreSnapshot() override;
    void applyDesktopSettings() override;
    // Runs the skin picker modally; on OK applies its choice (applySkinChoice).
    void openSkinPicker() override;
    // A confirmed skin choice: the skin folder, its name and the text colour take effect at once,
    // are stored in str.ini (a failed save is reported), and the page shown is rebuilt with the
    // new pictures; then the window comes to the front.
    void applySkinChoice(const std::string& skinDir, const std::string& skinName, TextColour colour);
    void openUrl(const std::string& url) override;
    void shutdown() override;

    // The named profiles in the user's profile folder, as the tray menu lists them (sorted).
    std::vector<std::string> profileNames() const;
    // Loads a named profile as vexoctl's profile load does: checks it whole, writes it over the
    // data files under the folder's lock, reads it into the window (language, labels, skin), takes
    // it as the applied state, redraws the page shown and, with apply and a mouse present, sends it
    // to the mouse; then a tray notice says which profile is now on the mouse, or why it is not.
    // Returns an empty text on success, else the reason (nothing is changed when the profile was
    // refused).
    std::string loadProfile(const std::string& name, bool apply = true);
    // The settings as the vocabulary names them: the window's record (with edits not yet applied),
    // its labels, language and skin, record.ini's macro names, the sensor type of a present mouse.
    SettingsState settingsState() const;
    // Sets by name as vexoctl set does (every assignment checked first; refused ones change
    // nothing), then saves and, with apply and a mouse, sends what differs from the applied
    // snapshot (the blocks it touches) and takes the result as applied. The page shown is redrawn.
    struct SetResult {
        std::vector<std::string> refused; // one message per refused assignment
        std::string failure; // checked, but not (wholly) carried out
    };
    SetResult setSettings(const std::vector<SettingAssignment>& assignments, bool apply);
    // What the window's Apply does, from the bus: empty, or why the mouse did not take it all.
    std::string applyFromBus();
    // The displayed DPI value of a stage (1-8) for the mouse's sensor, when its row has one.
    std::optional<unsigned> dpiValueOfStage(std::uint8_t stage) const;
    // Where the data files are.
    const FileLocations& locations() const { return parts_.locations; }
    // How long the notices of a profile load stay.
    static constexpr int kProfileNoticeMs = 5000;

signals:
    // The program should end with this status.
    void exitRequested(int status);
    // A notice of the mouse or of its presence reached the window (kind and value as
    // DeviceNoticeListener has them).
    void deviceNoticeShown(int kind, int value);
    // The settings were sent to the mouse (an Apply, a profile, a set from the bus).
    void settingsApplied();

private:
    void showNotice(std::uint8_t kind, std::uint8_t value);
    std::vector<TrayIcon::MenuEntry> profileMenuEntries();
    // A message box or modal dialog is open, or the start-up runs: the record is not to be changed.
    bool busyWithDialog() const;
    // Rebuilds the page shown from the record and labels (or draws the frame without a page).
    void redrawShownPage();
    // Sends the record as Apply does and takes it as applied; empty, or why not all was taken.
    // With onMouse (what the mouse last took), only the blocks that differ from it are sent.
    std::string applyToMouse(const ConfigRecord* onMouse = nullptr);
    // The file half of loadProfile (app_shell_profiles.cpp): empty, or why nothing was loaded.
    std::string readProfileIn(const std::string& name);
    // The mouse came or went: the page says so, and an arrival while the window is shown runs the
    // basic page's first showing.
    void presenceChanged();
    // Raises an open message box or modal dialog; false when none is open.
    bool raiseOpenBox();
    void showBasicPage();
    void refreshBeforeShowing();
    // Over the configuration's text tables and settings file (app_shell_config.cpp).
    void selectLanguage();
    // config.bin into the record; what cannot be used is said once, and a damaged file is kept aside
    // while the delivered defaults are used.
    void loadConfig();
    void loadSettings();
    void useSkinAndColour();
    void createFonts();
    void syncOnConnect();
    // The save of the Apply started as run number generation is over (posted from the saving thread).
    void postApplySaved(unsigned generation);
    void applySaved(unsigned generation);

    ShellParts parts_;
    // Every box of the shell goes through it (declared before the parts that use it).
    BoxCountingPrompter prompter_;
    // Declared before the window and the dialogs, which keep a reference to it.
    SkinContext skin_;
    std::unique_ptr<CMainDialog> window_;
    std::unique_ptr<DeviceSession> session_;
    std::unique_ptr<NoticeBridge> bridge_;
    std::unique_ptr<DeviceMonitorNotifier> notifier_;
    UiTexts texts_;
    IniSettings settings_;
    std::unique_ptr<SettingsSync> sync_;
    // The Apply whose files are being written, and what runs when it is done.
    std::unique_ptr<SettingsSync::ApplyRun> applyRun_;
    std::function<void()> applyDone_;
    unsigned applyGeneration_ = 0;
    bool applyStarting_ = false; // inside SettingsSync::StartApply
    bool applySavedEarly_ = false; // its save ended before it returned, and the notice came meanwhile
    // Key capture for the key-assignment dialogs, and the dialogs the dispatch asks.
    std::unique_ptr<QtKeyboardHook> keyboardHook_;
    std::unique_ptr<SkinFunctionDialogs> dialogs_;
    // Declared after the keyboard hook, so that it is gone before the hook it may have installed.
    std::unique_ptr<AdvancedPage> advanced_;
    std::unique_ptr<ButtonFunctionDispatch> dispatch_;
    std::unique_ptr<BasicPage> basicPage_;
    std::vector<std::string> trace_;
    bool cleanedUp_ = false;
    bool starting_ = false;
    bool basicPageReady_ = false;
    // The mouse now connected holds the applied snapshot: it took a whole Apply of it on this
    // connection, and changes since went to it. Until then a change from the bus sends everything.
    bool mouseHoldsSnapshot_ = false;
    bool fontsCreated_ = false;
    // A str.ini that cannot be read or kept is reported at the first reading only.
    bool settingsProblemTold_ = false;
};

} // namespace vexo
