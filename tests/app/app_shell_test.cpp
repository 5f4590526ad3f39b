// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The application shell against the simulated mouse: start-up, notices, tray, hot-plug, Apply,
// Cancel and shutdown.
#include "app_shell_fixture.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "keys/key_name_of.h"
#include "macro/macro_encoder.h"
#include "macro/macro_store.h"
#include "ui/advanced/advanced_page.h"
#include "ui/dialogs/delay_time_dialog.h"

namespace vexo {
namespace {

TEST_F(AppShellTest, StartUpWithAMouseRunsInOrderAnnouncesItAndStaysHidden) {
    start();
    // Behind the icon nothing is drawn yet: the fonts, pictures and back buffer wait for the first showing.
    EXPECT_EQ(shell->startupTrace(),
              (std::vector<std::string>{"texts", "tray", "mouse", "input thread", "hot-plug", "config", "settings",
                                        "skin", "basic page"}));
    EXPECT_TRUE(tray.shown);
    EXPECT_EQ(tray.tip, "VEXO T58 VuravoVazov");
    EXPECT_EQ(tray.menuText, "Exit");
    ASSERT_EQ(tray.notices.size(), 1u);
    EXPECT_EQ(tray.notices[0].title, "Info");
    EXPECT_EQ(tray.notices[0].text, "The system detect the gaming mouse.");
    EXPECT_EQ(tray.notices[0].timeoutMs, 5000);
    EXPECT_FALSE(shell->window().isVisible());
    EXPECT_EQ(shell->window().CurrentPage(), kBasicPage);
    EXPECT_TRUE(shell->basicPageReady());
    // The first showing of the basic page read the mouse and, on this first run, stored the default labels.
    EXPECT_FALSE(mouse->exchanges().empty());
    EXPECT_TRUE(strIniText().contains("Item1=Left Click")) << strIniText().toStdString();
    EXPECT_TRUE(shell->window().BackBuffer().isNull());
    EXPECT_EQ(shell->skin().images().decodeCount(), 0u);
    EXPECT_TRUE(shell->window().findChildren<QLabel*>().empty()) << "no page controls while hidden";
    // The skin of str.ini, its size, and the colour bytes as str.ini gives them.
    EXPECT_EQ(shell->skin().strSkinName, "Test");
    const std::size_t exchanges = mouse->exchanges().size();
    tray.click(TrayIcon::Click::Left);
    EXPECT_TRUE(shell->window().isVisible());
    EXPECT_EQ(mouse->exchanges().size(), exchanges) << "the start-up read the mouse already";
    EXPECT_EQ(shell->window().size(), QSize(880, 650));
    EXPECT_EQ(shell->window().BackBuffer().pixel(500, 300), test::SkinFixture::kBasicBackground);
    EXPECT_FALSE(shell->window().findChildren<QLabel*>().empty());
    EXPECT_EQ(shell->skin().textColor.r, 44);
    EXPECT_EQ(shell->skin().textColor.g, 12);
    EXPECT_EQ(shell->skin().textColor.b, 0);
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(AppShellTest, AHiddenWindowGivesItsFaceBackAndTheNextShowingDrawsItAsBefore) {
    start();
    tray.click(TrayIcon::Click::Left);
    CMainDialog& window = shell->window();
    window.move(40, 30);
    const QImage face = window.BackBuffer().copy();
    SkinImageCache& pictures = shell->skin().images();
    const std::size_t decoded = pictures.decodeCount();
    const std::size_t held = pictures.size();
    ASSERT_FALSE(face.isNull());
    ASSERT_GT(held, 1u);

    window.MinimiseWindow();
    EXPECT_TRUE(waitFor([&] { return window.BackBuffer().isNull(); }));
    EXPECT_TRUE(window.findChildren<QLabel*>().empty()) << "the basic page's controls went with it";
    EXPECT_EQ(pictures.size(), 0u) << "no picture stays decoded";
    EXPECT_EQ(shell->skin().pageBackground().heldBytes(), 0u) << "nor any part of the background";
    tray.click(TrayIcon::Click::Left);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.BackBuffer(), face);
    // The background is laid as the back buffer itself, out of the cache: one decode beside the others.
    EXPECT_EQ(pictures.decodeCount() - decoded, held + 1) << "every picture decoded again";
    EXPECT_FALSE(window.findChildren<QLabel*>().empty());
    EXPECT_EQ(window.pos(), QPoint(40, 30)) << "the window comes back where it was left";

    // The advanced page keeps its controls, which may hold macro lines not yet confirmed.
    window.ShowAdvancedPage();
    const QImage advanced = window.BackBuffer().copy();
    const auto controls = window.findChildren<QWidget*>().size();
    window.MinimiseWindow();
    EXPECT_TRUE(waitFor([&] { return window.BackBuffer().isNull(); }));
    EXPECT_EQ(window.findChildren<QWidget*>().size(), controls);
    EXPECT_EQ(pictures.size(), 0u);
    tray.click(TrayIcon::Click::Left);
    EXPECT_EQ(window.CurrentPage(), kAdvancedPage);
    EXPECT_EQ(window.BackBuffer(), advanced) << "the page comes back on its own background";
}

TEST_F(AppShellTest, TheBackgroundDecodedAheadIsUsedOnlyForTheSkinTheStartUpSettlesOn) {
    // Without help the window's thread decodes the background itself.
    start(true, true);
    const std::size_t alone = shell->skin().images().decodeCount();

    shell.reset();
    prefetch = std::make_unique<StartupPrefetch>(locations);
    start(true, true);
    EXPECT_EQ(shell->skin().images().decodeCount(), alone - 1) << "the background came decoded";
    EXPECT_EQ(shell->window().BackBuffer().pixel(500, 300), test::SkinFixture::kBasicBackground);

    // str.ini names another skin by the time the window loads it: what was decoded ahead is dropped.
    shell.reset();
    prefetch = std::make_unique<StartupPrefetch>(locations);
    test::SkinFixture other;
    other.write("/BasicSet2.png", 880, 650, QColor(1, 2, 3));
    const std::filesystem::path skins = std::filesystem::path(folder.path().toStdString()) / "Skins";
    std::filesystem::rename(other.path().toStdString(), skins / "Other");
    writeStrIni("EN", "Other");
    start(true, true);
    EXPECT_EQ(shell->window().BackBuffer().pixel(500, 300), qRgb(1, 2, 3));
}

TEST_F(AppShellTest, StartUpWithoutAMouseWarnsAndTheIconOnlyRepeatsTheWarning) {
    start(false);
    EXPECT_EQ(shell->startupTrace(),
              (std::vector<std::string>{"texts", "tray", "no mouse", "input thread", "hot-plug", "config", "settings",
                                        "skin"}));
    ASSERT_EQ(tray.notices.size(), 1u);
    EXPECT_EQ(tray.notices[0].title, "Warning");
    EXPECT_EQ(tray.notices[0].text, "The system did not detect the gaming mouse!");
    EXPECT_EQ(shell->window().CurrentPage(), kNoPage);
    tray.click(TrayIcon::Click::Left);
    EXPECT_EQ(tray.notices.size(), 2u);
    EXPECT_EQ(lastNotice(), "The system did not detect the gaming mouse!");
    EXPECT_FALSE(shell->window().isVisible());

    // OK and Apply do nothing without a mouse; Cancel still restores.
    shell->window().show();
    shell->window().HandleClick({frame::kApply.left + 2, frame::kApply.top + 2});
    ASSERT_TRUE(applyFinished());
    shell->window().HandleClick({frame::kOk.left + 2, frame::kOk.top + 2});
    ASSERT_TRUE(applyFinished());
    EXPECT_TRUE(exchanges.empty());
    EXPECT_EQ(firstRunByte(), 0); // config.bin not written
    EXPECT_TRUE(shell->window().isVisible());
}

TEST_F(AppShellTest, TheMousesOwnNoticesReachTheTrayWithTheirTexts) {
    start();
    config.record().dpiValues()[1] = 5; // the second stage's row in the DPI list
    const std::optional<unsigned> dpi = DpiValue(3, 5);
    ASSERT_TRUE(dpi);
    struct Case {
        std::uint8_t kind, value;
        std::string text;
    };
    const std::vector<Case> cases = {
        {5, 1, "Switch report rate into 1000HZ"},
        {5, 8, "Switch report rate into 125HZ"},
        {7, 2, "Switch DPI into the second stage " + std::to_string(*dpi)},
        {8, 2, "Switch to key matrix 2"},
        {9, 3, "Switch to macro key3"},
    };
    for (const Case& c : cases) {
        const std::size_t before = tray.notices.size();
        mouse->pushNotice(c.kind, c.value);
        ASSERT_TRUE(waitFor([&] { return tray.notices.size() > before; })) << int(c.kind);
        EXPECT_EQ(lastNotice(), c.text);
        EXPECT_EQ(tray.notices.back().title, "Info");
        EXPECT_EQ(tray.notices.back().timeoutMs, 5000);
    }
    // A report-rate notice with value 3 shows nothing (the next notice proves it was read).
    const std::size_t before = tray.notices.size();
    mouse->pushNotice(5, 3);
    mouse->pushNotice(8, 1);
    ASSERT_TRUE(waitFor([&] { return tray.notices.size() > before; }));
    EXPECT_EQ(tray.notices.size(), before + 1);
    EXPECT_EQ(lastNotice(), "Switch to key matrix 1");
}

TEST_F(AppShellTest, UnpluggingHidesAndWarnsReplugAnnounces) {
    start();
    tray.click(TrayIcon::Click::Left);
    ASSERT_TRUE(shell->window().isVisible());
    mouse->unplug();
    ASSERT_TRUE(waitFor([&] { return lastNotice() == "The system did not detect the gaming mouse!"; }));
    EXPECT_FALSE(shell->window().isVisible());
    EXPECT_FALSE(shell->mousePresent());
    mouse->plug();
    ASSERT_TRUE(waitFor([&] { return lastNotice() == "The system detect the gaming mouse."; }));
    EXPECT_TRUE(shell->mousePresent());
}

TEST_F(AppShellTest, WithoutANotificationAreaALaterStartShowsTheWindowAfterTheSameCatchingUp) {
    tray.offered = false;
    start(false);
    shell->activate();
    EXPECT_TRUE(shell->window().isVisible()) << "there is no icon to reach it otherwise";
    EXPECT_EQ(tray.notices.size(), 1u);

    // The basic page reached without a mouse reads nothing; the mouse plugged in later is read as
    // soon as it arrives, the window being shown.
    shell->window().HandleClick({frame::kPreviousPage.left + 2, frame::kPreviousPage.top + 2});
    EXPECT_EQ(shell->window().CurrentPage(), kBasicPage);
    EXPECT_FALSE(shell->basicPageReady());
    const std::size_t before = mouse->exchanges().size();
    mouse->plug();
    ASSERT_TRUE(waitFor([&] { return shell->basicPageReady(); }));
    EXPECT_GT(mouse->exchanges().size(), before);

    // Cancel only minimises here; a later start brings the window back.
    shell->window().HandleClick({frame::kCancel.left + 2, frame::kCancel.top + 2});
    EXPECT_TRUE(shell->window().isMinimized());
    shell->activate();
    EXPECT_TRUE(shell->window().isVisible());
    EXPECT_FALSE(shell->window().isMinimized());
}

TEST_F(AppShellTest, TrayClicksShowTheWindowAndTheMenuExits) {
    start();
    tray.click(TrayIcon::Click::Right);
    EXPECT_FALSE(shell->window().isVisible());
    shell->activate(); // a later start: the icon is the way to the window
    EXPECT_FALSE(shell->window().isVisible());
    shell->activate(true); // ... unless it came from the menu with --show
    EXPECT_TRUE(shell->window().isVisible());
    shell->window().hide();
    tray.click(TrayIcon::Click::DoubleLeft);
    EXPECT_TRUE(shell->window().isVisible());

    QSignalSpy exits(shell.get(), &AppShell::exitRequested);
    tray.chooseMenuItem();
    ASSERT_EQ(exits.count(), 1);
    EXPECT_EQ(exits[0][0].toInt(), 0);
    EXPECT_FALSE(tray.shown);
    EXPECT_FALSE(shell->window().isVisible());
    // No notice reaches the tray once the shell is shut down.
    const std::size_t before = tray.notices.size();
    shell->deviceNotice(14, 0);
    EXPECT_EQ(tray.notices.size(), before);
}

TEST_F(AppShellTest, ApplyRunsTheWholeApplyAndCancelRestoresTheRecord) {
    start();
    tray.click(TrayIcon::Click::Left);
    const std::size_t before = mouse->exchanges().size();
    ASSERT_EQ(firstRunByte(), 0);
    config.record().setReportRate(4);
    shell->window().HandleClick({frame::kApply.left + 2, frame::kApply.top + 2});
    ASSERT_TRUE(applyFinished());
    // The whole configuration went to the mouse (dozens of commands and block reports), then the
    // snapshot, then the desktop settings; config.bin was saved.
    EXPECT_EQ(exchanges, std::vector<std::string>{"desktop"});
    EXPECT_GT(mouseCallsAtDesktop, before + 20);
    EXPECT_EQ(mouse->exchanges().size(), mouseCallsAtDesktop);
    EXPECT_EQ(config.snapshot().reportRate(), 4);
    EXPECT_EQ(firstRunByte(), 1);
    EXPECT_TRUE(shell->window().isVisible());

    config.record().setReportRate(8);
    shell->window().HandleClick({frame::kCancel.left + 2, frame::kCancel.top + 2});
    EXPECT_EQ(config.record().reportRate(), 4);
    EXPECT_FALSE(shell->window().isVisible());

    // Back from the icon: the page was rebuilt from the restored record.
    tray.click(TrayIcon::Click::Left);
    EXPECT_EQ(shell->window().CurrentPage(), kBasicPage);
    EXPECT_TRUE(shell->window().isVisible());

    shell->window().HandleClick({frame::kWebLink.left + 2, frame::kWebLink.top + 2});
    EXPECT_EQ(urls, std::vector<std::string>{"https://www.vexo-gaming.example"});
}

TEST_F(AppShellTest, AConfigBinThatIsNoRegularFileIsReportedAndTheStartGoesOn) {
    const std::filesystem::path config = locations.configBin();
    std::filesystem::remove(config);
    ASSERT_EQ(::mkfifo(config.c_str(), 0600), 0);
    {
        const test::HangWatchdog watchdog(std::chrono::seconds(60), "the start with a FIFO as config.bin");
        start();
    }
    EXPECT_EQ(shell->startupTrace().back(), "basic page");
    ASSERT_EQ(prompter.shown.size(), 1u) << "said once";
    EXPECT_EQ(prompter.shown[0].text, config.string() + " is not a regular file. " + AppShell::kUnreadableConfigText);
    // The window shows the delivered settings, not an all-zero record.
    EXPECT_EQ(this->config.record(), FactoryRecord());
    EXPECT_EQ(this->config.snapshot(), FactoryRecord());

    // Apply and OK send nothing that was not read: the mouse keeps its buttons, and the FIFO stays.
    tray.click(TrayIcon::Click::Left);
    const DeviceImage before = mouse->blocks();
    const std::size_t exchangesBefore = mouse->exchanges().size();
    shell->window().HandleClick({frame::kApply.left + 2, frame::kApply.top + 2});
    ASSERT_TRUE(applyFinished());
    EXPECT_EQ(mouse->exchanges().size(), exchangesBefore);
    EXPECT_EQ(mouse->blocks(), before);
    EXPECT_TRUE(exchanges.empty()) << "nor were the desktop's pointer settings changed";
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[1].text,
              std::string(SettingsSync::kNothingDoneText) + config.string() + " is not a regular file.");
    struct stat st {};
    ASSERT_EQ(::lstat(config.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST_F(AppShellTest, ADamagedConfigBinIsKeptAsideAndTheDeliveredSettingsAreUsedAndSaved) {
    const std::filesystem::path dir = folder.path().toStdString();
    const std::string damaged(700, '\x33');
    test::TempDir::put(dir / "config.bin", damaged);
    start();
    ASSERT_EQ(prompter.shown.size(), 1u) << "said once";
    EXPECT_EQ(prompter.shown[0].text,
              "config.bin is damaged: " + (dir / "config.bin").string() +
                  " has 700 bytes instead of 2042. It is kept as " + (dir / "config.bin.damaged").string() +
                  "; the delivered settings are used instead and replace it at the next Apply.");
    const ConfigRecord factory = FactoryRecord();
    EXPECT_TRUE(std::equal(config.record().bytes().begin(), config.record().bytes().end(), factory.bytes().begin()));
    EXPECT_TRUE(
        std::equal(config.snapshot().bytes().begin(), config.snapshot().bytes().end(), factory.bytes().begin()));

    // The first Apply sends and saves the delivered settings, not zeros, and the copy stays.
    tray.click(TrayIcon::Click::Left);
    shell->window().HandleClick({frame::kApply.left + 2, frame::kApply.top + 2});
    ASSERT_TRUE(applyFinished());
    const std::string saved = test::TempDir::take(dir / "config.bin");
    ASSERT_EQ(saved.size(), ConfigStore::kFileSize);
    EXPECT_TRUE(std::equal(saved.begin() + 1, saved.end(), factory.bytes().begin(),
                           [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; }));
    EXPECT_EQ(mouse->blocks().keyMatrices[0], KeyMatrixImage(factory)[0]) << "the mouse got the delivered buttons";
    EXPECT_EQ(test::TempDir::take(dir / "config.bin.damaged"), damaged);
    EXPECT_EQ(prompter.shown.size(), 1u);
}

TEST_F(AppShellTest, AStrIniThatCannotBeKeptIsReportedOnceAndNeverWritten) {
    std::string bigEndian = "\xFE\xFF";
    for (const char c : std::string("[Skins]\r\nLan=EN\r\nPath=Test\r\n"))
        bigEndian += std::string{'\0', c};
    test::TempDir::put(std::filesystem::path(folder.path().toStdString()) / "str.ini", bigEndian);
    start();
    const auto told = [&] {
        return std::count_if(prompter.shown.begin(), prompter.shown.end(), [](const auto& box) {
            return box.text.find("UTF-16 big-endian") != std::string::npos &&
                box.text.ends_with(AppShell::kSettingsUnusableText);
        });
    };
    EXPECT_EQ(told(), 1);
    // Cancel, then back from the icon: the settings are read again, and not reported again.
    tray.click(TrayIcon::Click::Left);
    shell->window().HandleClick({frame::kCancel.left + 2, frame::kCancel.top + 2});
    tray.click(TrayIcon::Click::Left);
    EXPECT_EQ(told(), 1);
    // One problem, one box, on a first run too: the labels that cannot be saved are that problem.
    for (const auto& box : prompter.shown)
        EXPECT_FALSE(box.text.starts_with(SettingsSync::kLabelsNotSavedText)) << box.text;
    EXPECT_EQ(test::TempDir::take(std::filesystem::path(folder.path().toStdString()) / "str.ini"), bigEndian);
}

// A second start of the real program ends at once with status 0 while the first runs; the end of
// the session (SIGTERM) ends the first one cleanly, releasing its lock and socket.
TEST(SingleInstanceRunTest, ASecondStartEndsAtOnceAndTheSessionsEndClosesTheFirstCleanly) {
    test::TestApp();
    const QString program = qgetenv("VEXO_BUILD_DIR") + "/bin/vexo";
    QTemporaryDir runtime;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    QProcess first;
    first.setProcessEnvironment(env);
    first.start(program, {"--simulate"});
    ASSERT_TRUE(first.waitForStarted());
    // The first one holds the lock, and listens, once its socket exists.
    const QString lock = runtime.path() + "/T58SSOP28DPIVerMutex.lock";
    const QString socket = runtime.path() + "/T58SSOP28DPIVerMutex.socket";
    QElapsedTimer timer;
    timer.start();
    while (!QFile::exists(socket) && timer.elapsed() < 10000)
        QThread::msleep(20);
    ASSERT_TRUE(QFile::exists(lock));
    QProcess second;
    second.setProcessEnvironment(env);
    second.start(program, {"--simulate"});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);

    first.terminate();
    ASSERT_TRUE(first.waitForFinished(10000));
    EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(lock));
    EXPECT_FALSE(QFile::exists(socket));
}

} // namespace
} // namespace vexo

namespace vexo {
namespace {

class AdvancedShellTest : public AppShellTest {
protected:
    void clickAt(const Region& r) {
        shell->window().HandleClick({r.left + 2, r.top + 2});
        ASSERT_TRUE(applyFinished());
    }
    void key(QEvent::Type type, std::uint32_t evdev) {
        QKeyEvent event(type, Qt::Key_unknown, Qt::NoModifier, evdev + kXkbKeycodeOffset, 0, 0);
        QCoreApplication::sendEvent(shell->advancedPage().editor().nameField(), &event);
    }
    QByteArray configBin() const {
        QFile file(folder.path() + "/config.bin");
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(AdvancedShellTest, ARecordedMacroReachesTheMouseAndConfigBinAsTheEncoderGivesIt) {
    start();
    tray.click(TrayIcon::Click::Left);
    clickAt(frame::kNextPage);
    ASSERT_EQ(shell->window().CurrentPage(), kAdvancedPage);
    MacroEditor& editor = shell->advancedPage().editor();
    editor.nameField()->setText("AB");
    clickAt(MacroEditor::kNew);
    clickAt(MacroEditor::kStartRecording);
    for (const std::uint32_t code : {30u, 48u}) { // A, then B
        key(QEvent::KeyPress, code);
        key(QEvent::KeyRelease, code);
    }
    clickAt(MacroEditor::kStopRecording);
    clickAt(MacroEditor::kConfirm);
    mouse->clearExchanges();
    clickAt(frame::kApply);

    // What record.ini holds, encoded afresh, is what the record, the mouse and config.bin hold.
    const StoredMacro saved = LoadMacro(ProfileIni(locations.recordIni()), "AB");
    EXPECT_EQ(saved.lines,
              (std::vector<std::string>{"A   Dn", "50 ms", "A   Up", "50 ms", "B   Dn", "50 ms", "B   Up"}));
    std::array<std::uint8_t, kMacroAreaSize> expected{};
    std::ranges::copy(config.record().macroArea(), expected.begin());
    EncodeMacroStore(ProfileIni(locations.recordIni()), MacroArea(expected));
    EXPECT_TRUE(std::ranges::equal(expected, config.record().macroArea()));
    const std::vector<std::uint8_t> first(expected.begin(), expected.begin() + 10);
    EXPECT_EQ(first, (std::vector<std::uint8_t>{0x00, 0x01, 0x05, 0x04, 0x85, 0x04, 0x05, 0x05, 0x80, 0x05}));

    const DeviceImage blocks = mouse->blocks();
    for (std::size_t slot = 0; slot < kMacroSlotCount; ++slot)
        EXPECT_TRUE(std::ranges::equal(blocks.macros[slot], std::span(expected).subspan(slot * 128, 128))) << slot;
    // The trace of the Apply carries block 0 as consecutive output reports.
    std::vector<std::uint8_t> written;
    for (const SimExchange& exchange : mouse->exchanges()) {
        if (exchange.kind == SimExchange::Kind::Write)
            written.insert(written.end(), exchange.bytes.end() - 32, exchange.bytes.end());
    }
    EXPECT_FALSE(std::ranges::search(written, std::span(expected).first(128)).empty());

    const QByteArray file = configBin();
    ASSERT_EQ(file.size(), qsizetype(ConfigStore::kFileSize));
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(),
                           reinterpret_cast<const std::uint8_t*>(file.constData()) + 1 + ConfigRecord::kMacroArea));
}

TEST_F(AdvancedShellTest, CancelDiscardsDesktopEditsAndApplySendsTheApplied) {
    desktop.speed = 10;
    start();
    tray.click(TrayIcon::Click::Left);
    clickAt(frame::kNextPage);
    clickAt(frame::kApply); // the values read from the desktop become the applied ones
    clickAt(DesktopSettingsPanel::Segment(DesktopSettingsPanel::kSpeedSlider, 11));
    EXPECT_EQ(config.record().desktop().pointerSpeedRow, 11);
    clickAt(frame::kCancel);
    EXPECT_EQ(config.record().desktop().pointerSpeedRow, 6);
    tray.click(TrayIcon::Click::Left);
    desktop.calls.clear();
    clickAt(frame::kApply);
    EXPECT_EQ(desktop.calls,
              (std::vector<std::string>{"set precision 0", "set speed 10", "set wheel 3", "set double-click 550"}));
    EXPECT_EQ(desktop.speed, 10u);
}

} // namespace
} // namespace vexo

namespace vexo {
namespace {

TEST_F(AdvancedShellTest, ADoubleClickOnADelayLineAsksTheDelayDialog) {
    start();
    tray.click(TrayIcon::Click::Left);
    clickAt(frame::kNextPage);
    MacroEditor& editor = shell->advancedPage().editor();
    editor.nameField()->setText("D");
    clickAt(MacroEditor::kNew);
    for (const char* line : {"A   Dn", "50 ms", "A   Up"})
        editor.appendSequenceLine(line);
    QString shown;
    QTimer::singleShot(0, [&shown] {
        auto* dialog = qobject_cast<CDelayTimeDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            if (QWidget* other = QApplication::activeModalWidget())
                other->close();
            return;
        }
        auto* field = dialog->findChild<QLineEdit*>();
        shown = field->text();
        field->setText("1500");
        dialog->accept();
    });
    QListWidget* list = editor.sequenceList();
    emit list->itemDoubleClicked(list->item(1));
    EXPECT_EQ(shown, "50");
    EXPECT_EQ(list->item(1)->text(), "1500 ms");
}

} // namespace
} // namespace vexo
