// The application shell against the simulated mouse: start-up, notices, tray, hot-plug, Apply,
// Cancel and shutdown.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <filesystem>

#include "../ui/qt_test_main.h"
#include "../ui/skin_fixture.h"
#include "app/app_shell.h"
#include "app/desktop_settings_hook.h"
#include "config/config_store.h"
#include "config/dpi_table.h"
#include "config/file_locations.h"
#include "app/startup_prefetch.h"
#include "device/device_session.h"
#include "recording_tray_icon.h"
#include "sim/recording_pauser.h"
#include "sim/sim_device_monitor.h"
#include "sim/sim_hid_backend.h"
#include "sim/sim_mouse.h"
#include "support/recording_prompter.h"
#include "ui/frame_regions.h"
#include "ui/main_dialog.h"
#include "ui/skin_drawing.h"
#include "ui/ui_globals.h"

namespace vexo {
namespace {

class AppShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::TestApp();
        g_nCurrentPage = kNoPage;
        g_bBasicPageReady = false;
        g_bReloadOnRestore = false;
        SkinImages().clear();
        const std::filesystem::path dir = folder.path().toStdString();
        std::filesystem::copy_file(std::filesystem::path(qgetenv("VEXO_BUILD_DIR").toStdString()) / "bin/config.bin",
                                   dir / "config.bin");
        std::filesystem::create_directories(dir / "Skins");
        std::filesystem::rename(skin.path().toStdString(), dir / "Skins/Test");
        writeStrIni("EN");
    }
    void writeStrIni(const char* language, const char* skinName = "Test")
    {
        QFile ini(folder.path() + "/str.ini");
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ini.write(QString("[Skins]\nLan=%1\nPath=%2\nRColor=300\nGColor=12abc\nBColor=x\n")
                      .arg(language, skinName)
                      .toUtf8());
    }
    void start(bool plugged = true)
    {
        if (!plugged)
            mouse->unplug();
        shell = std::make_unique<AppShell>(ShellParts{
            hid, pauser, config, tray, prompter, desktop, &monitor, [this](const std::string& url) { urls.push_back(url); },
            locations, prefetch.get()});
        shell->initialise(false);
    }
    // Runs the event loop until pred holds or a second has passed.
    template <typename P> bool waitFor(P pred)
    {
        QElapsedTimer timer;
        timer.start();
        while (!pred() && timer.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return pred();
    }
    std::string lastNotice() const { return tray.notices.empty() ? "" : tray.notices.back().text; }

    QTemporaryDir folder;
    test::SkinFixture skin;
    FileLocations locations = FileLocations::inFolder(folder.path().toStdString());
    std::shared_ptr<SimMouse> mouse = std::make_shared<SimMouse>(3);
    SimHidBackend hid{mouse};
    SimDeviceMonitor monitor{mouse};
    RecordingPauser pauser;
    ConfigStore config{locations.configBin()};
    test::RecordingTrayIcon tray;
    test::RecordingPrompter prompter;
    struct RecordingDesktop final : DesktopSettingsHook {
        std::vector<std::string>* log;
        AppShellTest* test;
        void apply() override
        {
            test->exchanges.push_back("desktop");
            test->mouseCallsAtDesktop = test->mouse->exchanges().size();
        }
    } desktop;
    std::size_t mouseCallsAtDesktop = 0;
    std::vector<std::string> urls;
    std::vector<std::string> exchanges;
    std::unique_ptr<StartupPrefetch> prefetch;
    std::unique_ptr<AppShell> shell;

    AppShellTest() { desktop.test = this; }
    // The first byte of config.bin on disk: 0 as delivered, 1 once something was saved.
    char firstRunByte() const
    {
        QFile file(folder.path() + "/config.bin");
        return file.open(QIODevice::ReadOnly) ? file.read(1).at(0) : char(-1);
    }
    QString strIniText() const
    {
        QFile file(folder.path() + "/str.ini");
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

TEST_F(AppShellTest, StartUpWithAMouseRunsInOrderAnnouncesItAndStaysHidden)
{
    start();
    EXPECT_EQ(shell->startupTrace(), (std::vector<std::string>{"texts", "tray", "mouse", "input thread", "hot-plug",
                                                               "config", "settings", "skin", "fonts", "basic page"}));
    EXPECT_TRUE(tray.shown);
    EXPECT_EQ(tray.tip, "VEXO T58 VuravoVazov");
    EXPECT_EQ(tray.menuText, "Exit");
    ASSERT_EQ(tray.notices.size(), 1u);
    EXPECT_EQ(tray.notices[0].title, "Info");
    EXPECT_EQ(tray.notices[0].text, "The system detect the gaming mouse.");
    EXPECT_EQ(tray.notices[0].timeoutMs, 100);
    EXPECT_FALSE(shell->window().isVisible());
    EXPECT_EQ(g_nCurrentPage, kBasicPage);
    EXPECT_TRUE(g_bBasicPageReady);
    // The first showing of the basic page read the mouse and, on this first run, stored the default labels.
    EXPECT_FALSE(mouse->exchanges().empty());
    EXPECT_TRUE(strIniText().contains("Item1=Left Click")) << strIniText().toStdString();
    // The skin of str.ini, its size, and the colour bytes as str.ini gives them.
    EXPECT_EQ(g_strSkinName, "Test");
    EXPECT_EQ(shell->window().size(), QSize(880, 650));
    EXPECT_EQ(shell->window().BackBuffer().pixel(500, 300), test::SkinFixture::kBasicBackground);
    EXPECT_EQ(g_textColor.r, 44);
    EXPECT_EQ(g_textColor.g, 12);
    EXPECT_EQ(g_textColor.b, 0);
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(AppShellTest, TheBackgroundDecodedAheadIsUsedOnlyForTheSkinTheStartUpSettlesOn)
{
    // Without help the window's thread decodes the background itself.
    std::size_t before = SkinImages().decodeCount();
    start();
    const std::size_t alone = SkinImages().decodeCount() - before;

    shell.reset();
    SkinImages().clear();
    g_nCurrentPage = kNoPage;
    g_bBasicPageReady = false;
    prefetch = std::make_unique<StartupPrefetch>(locations);
    before = SkinImages().decodeCount();
    start();
    EXPECT_EQ(SkinImages().decodeCount() - before, alone - 1) << "the background came decoded";
    EXPECT_EQ(shell->window().BackBuffer().pixel(500, 300), test::SkinFixture::kBasicBackground);

    // str.ini names another skin by the time the window loads it: what was decoded ahead is dropped.
    shell.reset();
    SkinImages().clear();
    g_nCurrentPage = kNoPage;
    g_bBasicPageReady = false;
    prefetch = std::make_unique<StartupPrefetch>(locations);
    test::SkinFixture other;
    other.write("/BasicSet2.png", 880, 650, QColor(1, 2, 3));
    const std::filesystem::path skins = std::filesystem::path(folder.path().toStdString()) / "Skins";
    std::filesystem::rename(other.path().toStdString(), skins / "Other");
    writeStrIni("EN", "Other");
    start();
    EXPECT_EQ(shell->window().BackBuffer().pixel(500, 300), qRgb(1, 2, 3));
}

TEST_F(AppShellTest, StartUpWithoutAMouseWarnsAndTheIconOnlyRepeatsTheWarning)
{
    start(false);
    EXPECT_EQ(shell->startupTrace(), (std::vector<std::string>{"texts", "tray", "no mouse", "input thread", "hot-plug",
                                                               "config", "settings", "skin", "fonts"}));
    ASSERT_EQ(tray.notices.size(), 1u);
    EXPECT_EQ(tray.notices[0].title, "Warning");
    EXPECT_EQ(tray.notices[0].text, "The system did not detect the gaming mouse!");
    EXPECT_EQ(g_nCurrentPage, kNoPage);
    tray.click(TrayIcon::Click::Left);
    EXPECT_EQ(tray.notices.size(), 2u);
    EXPECT_EQ(lastNotice(), "The system did not detect the gaming mouse!");
    EXPECT_FALSE(shell->window().isVisible());

    // OK and Apply do nothing without a mouse; Cancel still restores.
    shell->window().show();
    shell->window().HandleClick({frame::kApply.left + 2, frame::kApply.top + 2});
    shell->window().HandleClick({frame::kOk.left + 2, frame::kOk.top + 2});
    EXPECT_TRUE(exchanges.empty());
    EXPECT_EQ(firstRunByte(), 0);  // config.bin not written
    EXPECT_TRUE(shell->window().isVisible());
}

TEST_F(AppShellTest, TheMousesOwnNoticesReachTheTrayWithTheirTexts)
{
    start();
    config.record().dpiValues()[1] = 5;  // the second stage's row in the DPI list
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

TEST_F(AppShellTest, UnpluggingHidesAndWarnsReplugAnnounces)
{
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

TEST_F(AppShellTest, WithoutANotificationAreaALaterStartShowsTheWindowAfterTheSameCatchingUp)
{
    tray.offered = false;
    start(false);
    shell->activate();
    EXPECT_TRUE(shell->window().isVisible()) << "there is no icon to reach it otherwise";
    EXPECT_EQ(tray.notices.size(), 1u);

    // The basic page reached without a mouse reads nothing; the mouse plugged in later is read at
    // the next request, before the page is shown again.
    shell->window().HandleClick({frame::kPreviousPage.left + 2, frame::kPreviousPage.top + 2});
    EXPECT_EQ(g_nCurrentPage, kBasicPage);
    EXPECT_FALSE(g_bBasicPageReady);
    mouse->plug();
    ASSERT_TRUE(waitFor([&] { return shell->mousePresent(); }));
    const std::size_t before = mouse->exchanges().size();
    shell->activate();
    EXPECT_TRUE(g_bBasicPageReady);
    EXPECT_GT(mouse->exchanges().size(), before);

    // What Cancel leaves pending is caught up as from the icon.
    shell->window().HandleClick({frame::kCancel.left + 2, frame::kCancel.top + 2});
    ASSERT_TRUE(g_bReloadOnRestore);
    EXPECT_FALSE(shell->window().isVisible());
    shell->activate();
    EXPECT_FALSE(g_bReloadOnRestore);
    EXPECT_TRUE(shell->window().isVisible());
}

TEST_F(AppShellTest, TrayClicksShowTheWindowAndTheMenuExits)
{
    start();
    tray.click(TrayIcon::Click::Right);
    EXPECT_FALSE(shell->window().isVisible());
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

TEST_F(AppShellTest, ApplyRunsTheWholeApplyAndCancelRestoresTheRecordAndReloadsOnReturn)
{
    start();
    tray.click(TrayIcon::Click::Left);
    const std::size_t before = mouse->exchanges().size();
    ASSERT_EQ(firstRunByte(), 0);
    config.record().setReportRate(4);
    shell->window().HandleClick({frame::kApply.left + 2, frame::kApply.top + 2});
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
    EXPECT_TRUE(g_bReloadOnRestore);
    EXPECT_FALSE(shell->window().isVisible());

    // Back from the icon: the page is rebuilt from the restored record, the flag cleared.
    tray.click(TrayIcon::Click::Left);
    EXPECT_FALSE(g_bReloadOnRestore);
    EXPECT_EQ(g_nCurrentPage, kBasicPage);
    EXPECT_TRUE(shell->window().isVisible());

    shell->window().HandleClick({frame::kWebLink.left + 2, frame::kWebLink.top + 2});
    EXPECT_EQ(urls, std::vector<std::string>{"https://www.vexo-gaming.example"});
}

// A second start of the real program ends at once with status 0 while the first runs; the end of
// the session (SIGTERM) ends the first one cleanly, releasing its lock and socket.
TEST(SingleInstanceRunTest, ASecondStartEndsAtOnceAndTheSessionsEndClosesTheFirstCleanly)
{
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

// A run nobody watches must end even when start-up has something to say: here the button labels
// of a first run cannot be saved (str.ini is a folder). The message goes to stderr, not into a box.
TEST(UnattendedRunTest, MessagesGoToStandardErrorInsteadOfBoxes)
{
    test::TestApp();
    const std::filesystem::path bin = qgetenv("VEXO_BUILD_DIR").toStdString() + "/bin";
    QTemporaryDir runtime;
    QTemporaryDir portable;
    const std::filesystem::path folder = portable.path().toStdString();
    std::filesystem::copy_file(bin / "vexo", folder / "vexo");
    std::filesystem::copy_file(bin / "config.bin", folder / "config.bin"); // first run: labels are saved at once
    if (std::filesystem::exists(bin / "Skins"))
        std::filesystem::copy(bin / "Skins", folder / "Skins", std::filesystem::copy_options::recursive);
    std::filesystem::create_directory(folder / "str.ini");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    const QString shot = portable.path() + "/shot.png";
    for (const QStringList& args : {QStringList{"--simulate", "--show", "--quit-after-start"},
                                    QStringList{"--simulate", "--screenshot=" + shot}}) {
        SCOPED_TRACE(args.join(' ').toStdString());
        QProcess run;
        run.setProcessEnvironment(env);
        run.start(QString::fromStdString((folder / "vexo").string()), args);
        ASSERT_TRUE(run.waitForStarted());
        const bool ended = run.waitForFinished(60000);
        if (!ended) run.kill();
        ASSERT_TRUE(ended) << "still running after 60 s: waiting for a click?";
        EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(run.exitCode(), 0);
        const std::string err = run.readAllStandardError().toStdString();
        EXPECT_NE(err.find("vexo: VEXO T58: The button labels could not be saved: "), std::string::npos) << err;
    }
    EXPECT_TRUE(QFile::exists(shot));
}

} // namespace
} // namespace vexo
