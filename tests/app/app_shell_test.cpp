// The application shell against the simulated mouse: start-up, notices, tray, hot-plug, Apply,
// Cancel and shutdown.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <filesystem>
#include <sys/stat.h>

#include "../ui/qt_test_main.h"
#include "../ui/skin_fixture.h"
#include "app/app_shell.h"
#include "app/desktop_settings_hook.h"
#include "config/config_store.h"
#include "config/dpi_table.h"
#include "config/factory_record.h"
#include "config/file_locations.h"
#include "config/key_entry.h"
#include "config/temp_dir.h"
#include "app/startup_prefetch.h"
#include "device/device_session.h"
#include "recording_tray_icon.h"
#include "sim/recording_pauser.h"
#include "sim/sim_device_monitor.h"
#include "sim/sim_hid_backend.h"
#include "sim/sim_mouse.h"
#include "support/bounded_run.h"
#include "support/recording_prompter.h"
#include "ui/basic_page_regions.h"
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
    const UiTexts& texts() const { return shell->texts(); }
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
    EXPECT_EQ(tray.notices[0].timeoutMs, 5000);
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

    // The basic page reached without a mouse reads nothing; the mouse plugged in later is read as
    // soon as it arrives, the window being shown.
    shell->window().HandleClick({frame::kPreviousPage.left + 2, frame::kPreviousPage.top + 2});
    EXPECT_EQ(g_nCurrentPage, kBasicPage);
    EXPECT_FALSE(g_bBasicPageReady);
    const std::size_t before = mouse->exchanges().size();
    mouse->plug();
    ASSERT_TRUE(waitFor([&] { return g_bBasicPageReady; }));
    EXPECT_GT(mouse->exchanges().size(), before);

    // What Cancel leaves pending is caught up as from the icon. Cancel only minimises here.
    shell->window().HandleClick({frame::kCancel.left + 2, frame::kCancel.top + 2});
    ASSERT_TRUE(g_bReloadOnRestore);
    EXPECT_TRUE(shell->window().isMinimized());
    shell->activate();
    EXPECT_FALSE(g_bReloadOnRestore);
    EXPECT_TRUE(shell->window().isVisible());
    EXPECT_FALSE(shell->window().isMinimized());
}

TEST_F(AppShellTest, TrayClicksShowTheWindowAndTheMenuExits)
{
    start();
    tray.click(TrayIcon::Click::Right);
    EXPECT_FALSE(shell->window().isVisible());
    shell->activate();  // a later start: the icon is the way to the window
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

TEST_F(AppShellTest, AConfigBinThatIsNoRegularFileIsReportedAndTheStartGoesOn)
{
    const std::filesystem::path config = locations.configBin();
    std::filesystem::remove(config);
    ASSERT_EQ(::mkfifo(config.c_str(), 0600), 0);
    {
        const test::HangWatchdog watchdog(std::chrono::seconds(60), "the start with a FIFO as config.bin");
        start();
    }
    EXPECT_EQ(shell->startupTrace().back(), "basic page");
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text,
              config.string() + " is not a regular file. The settings start empty and cannot be saved.");
    struct stat st {};
    ASSERT_EQ(::lstat(config.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST_F(AppShellTest, ADamagedConfigBinIsKeptAsideAndTheDeliveredSettingsAreUsedAndSaved)
{
    const std::filesystem::path dir = folder.path().toStdString();
    const std::string damaged(700, '\x33');
    test::TempDir::put(dir / "config.bin", damaged);
    start();
    ASSERT_EQ(prompter.shown.size(), 1u) << "said once";
    EXPECT_EQ(prompter.shown[0].text, "config.bin is damaged: " + (dir / "config.bin").string() +
                                          " has 700 bytes instead of 2042. It is kept as " +
                                          (dir / "config.bin.damaged").string() +
                                          "; the delivered settings are used instead and replace it at the next Apply.");
    const ConfigRecord factory = FactoryRecord();
    EXPECT_TRUE(std::equal(config.record().bytes().begin(), config.record().bytes().end(), factory.bytes().begin()));
    EXPECT_TRUE(std::equal(config.snapshot().bytes().begin(), config.snapshot().bytes().end(), factory.bytes().begin()));

    // The first Apply sends and saves the delivered settings, not zeros, and the copy stays.
    tray.click(TrayIcon::Click::Left);
    shell->window().HandleClick({frame::kApply.left + 2, frame::kApply.top + 2});
    const std::string saved = test::TempDir::take(dir / "config.bin");
    ASSERT_EQ(saved.size(), ConfigStore::kFileSize);
    EXPECT_TRUE(std::equal(saved.begin() + 1, saved.end(), factory.bytes().begin(),
                           [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; }));
    EXPECT_EQ(mouse->blocks().keyMatrices[0], KeyMatrixImage(factory)[0]) << "the mouse got the delivered buttons";
    EXPECT_EQ(test::TempDir::take(dir / "config.bin.damaged"), damaged);
    EXPECT_EQ(prompter.shown.size(), 1u);
}

TEST_F(AppShellTest, AStrIniThatCannotBeKeptIsReportedOnceAndNeverWritten)
{
    std::string bigEndian = "\xFE\xFF";
    for (const char c : std::string("[Skins]\r\nLan=EN\r\nPath=Test\r\n")) bigEndian += std::string{'\0', c};
    test::TempDir::put(std::filesystem::path(folder.path().toStdString()) / "str.ini", bigEndian);
    start();
    const auto told = [&] {
        return std::count_if(prompter.shown.begin(), prompter.shown.end(), [](const auto& box) {
            return box.text.find("UTF-16 big-endian") != std::string::npos &&
                   box.text.ends_with("The button labels start empty and are not saved.");
        });
    };
    EXPECT_EQ(told(), 1);
    // Cancel, then back from the icon: the settings are read again, and not reported again.
    tray.click(TrayIcon::Click::Left);
    shell->window().HandleClick({frame::kCancel.left + 2, frame::kCancel.top + 2});
    tray.click(TrayIcon::Click::Left);
    EXPECT_EQ(told(), 1);
    EXPECT_EQ(test::TempDir::take(std::filesystem::path(folder.path().toStdString()) / "str.ini"), bigEndian);
}

TEST_F(AppShellTest, EveryNoticeStaysUpAtLeastFiveSeconds)
{
    start(false);
    tray.click(TrayIcon::Click::Left);
    mouse->plug();
    ASSERT_TRUE(waitFor([&] { return shell->mousePresent(); }));
    for (std::uint8_t kind : {5, 7, 8, 9}) {
        const std::size_t before = tray.notices.size();
        mouse->pushNotice(kind, 1);
        ASSERT_TRUE(waitFor([&] { return tray.notices.size() > before; }));
    }
    mouse->unplug();
    ASSERT_TRUE(waitFor([&] { return !shell->mousePresent(); }));
    ASSERT_GE(tray.notices.size(), 8u);
    for (const auto& notice : tray.notices)
        EXPECT_GE(notice.timeoutMs, 5000) << notice.text;
    // The presence notices, which asked for a tenth of a second, get the desktop's usual five.
    EXPECT_EQ(tray.notices.front().timeoutMs, 5000);
    EXPECT_EQ(tray.notices.back().timeoutMs, 5000);
}

TEST_F(AppShellTest, WithoutANotificationAreaTheWindowStaysAndTheMouseIsAwaitedOnThePage)
{
    tray.offered = false;
    start(false);
    shell->activate();
    ASSERT_TRUE(shell->window().isVisible());
    const QImage& buffer = shell->window().BackBuffer();
    const auto lineDrawn = [&] {
        const Region line = frame::kMouseAbsentLine;
        for (int y = line.top; y < line.bottom; ++y)
            for (int x = line.left; x < line.right; ++x)
                if (buffer.pixel(x, y) != test::SkinFixture::kBasicBackground)
                    return true;
        return false;
    };
    // The frame is drawn without a mouse, and the page says what is missing.
    EXPECT_EQ(buffer.pixel(frame::kOk.left + 1, frame::kOk.top + 1), test::SkinFixture::kNormal);
    EXPECT_EQ(buffer.pixel(frame::kNextPage.left + 1, frame::kNextPage.top + 1), test::SkinFixture::kNormal);
    EXPECT_TRUE(lineDrawn());
    EXPECT_EQ(texts().m_strMouseAbsent, "No gaming mouse is connected. Plug the mouse in to change its settings.");

    // The mouse arriving while the window is shown gets the basic page's first showing, with the
    // first run's labels; the line goes.
    mouse->plug();
    ASSERT_TRUE(waitFor([&] { return g_bBasicPageReady; }));
    EXPECT_EQ(g_nCurrentPage, kBasicPage);
    EXPECT_TRUE(strIniText().contains("Item1=Left Click")) << strIniText().toStdString();
    EXPECT_FALSE(lineDrawn());

    // Unplugged: the window stays where it is (no icon could bring it back) and says so again.
    mouse->unplug();
    ASSERT_TRUE(waitFor([&] { return !shell->mousePresent(); }));
    EXPECT_TRUE(shell->window().isVisible());
    EXPECT_TRUE(lineDrawn());
}

// Answers a box by running what the event loop of a real box could deliver meanwhile.
class ReentrantPrompter final : public Prompter {
public:
    std::function<void()> whileOpen;
    std::vector<std::string> shown;
    int depth = 0, deepest = 0;
    void message(const std::string& text, const std::string&) override
    {
        shown.push_back(text);
        deepest = std::max(deepest, ++depth);
        if (whileOpen)
            whileOpen();
        --depth;
    }
};

TEST_F(AppShellTest, ALaterStartOrAnIconClickWhileAStartUpBoxIsOpenRepeatsNothing)
{
    for (const bool withTray : {true, false}) {
        SCOPED_TRACE(withTray ? "with a notification area" : "without one");
        g_nCurrentPage = kNoPage;
        g_bBasicPageReady = false;
        tray.offered = withTray;
        std::filesystem::remove(std::filesystem::path(folder.path().toStdString()) / "config.bin");
        ReentrantPrompter boxes;
        std::size_t exchangesBefore = 0, exchangesAfter = 0;
        boxes.whileOpen = [&] {
            exchangesBefore = mouse->exchanges().size();
            shell->activate();
            shell->activate();
            tray.click(TrayIcon::Click::Left);
            exchangesAfter = mouse->exchanges().size();
        };
        shell = std::make_unique<AppShell>(ShellParts{hid, pauser, config, tray, boxes, desktop, &monitor, nullptr,
                                                      locations, nullptr});
        shell->initialise(!withTray);
        ASSERT_EQ(boxes.shown, std::vector<std::string>{"Config file is not exist."});
        EXPECT_EQ(boxes.deepest, 1);
        EXPECT_EQ(exchangesAfter, exchangesBefore) << "no second exchange with the mouse";
        EXPECT_TRUE(g_bBasicPageReady) << "the start-up's own first showing still ran";
        EXPECT_EQ(shell->window().isVisible(), !withTray);
        shell.reset();
    }
}

TEST_F(AppShellTest, SkinFoldersMatchInAnyCaseAndAMissingOneFallsBackToTheDeliveredSkin)
{
    writeStrIni("EN", "tEsT");
    start();
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(g_strSkinName, "Test");
    EXPECT_EQ(shell->window().BackBuffer().pixel(500, 300), test::SkinFixture::kBasicBackground);

    // A deleted skin: the delivered one, with one message.
    const std::filesystem::path skins = std::filesystem::path(folder.path().toStdString()) / "Skins";
    std::filesystem::rename(skins / "Test", skins / "Black");
    writeStrIni("EN", "Gone");
    shell.reset();
    SkinImages().clear();
    g_nCurrentPage = kNoPage;
    start();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "The skin \"Gone\" was not found; the skin \"Black\" is used instead.");
    EXPECT_EQ(g_strSkinName, "Black");
    EXPECT_EQ(std::filesystem::path(g_strSkinDir), skins / "Black");
    EXPECT_FALSE(shell->window().PlainLook());
    EXPECT_TRUE(strIniText().contains("Path=Gone")) << "str.ini keeps the user's choice";

    // No skin at all: one message, and a plain window that is still drawn and centred.
    std::filesystem::remove_all(skins);
    shell.reset();
    SkinImages().clear();
    g_nCurrentPage = kNoPage;
    prompter.shown.clear();
    start();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(QString::fromStdString(prompter.shown[0].text).startsWith("No skin was found"));
    EXPECT_TRUE(shell->window().PlainLook());
    EXPECT_EQ(shell->window().size(), QSize(880, 650));
    EXPECT_NE(shell->window().BackBuffer().pixel(frame::kOk.left + 2, frame::kOk.top + 2),
              CMainDialog::kPlainBackground);
}

// The real basic page under the pointer, with each delivered skin: ten passes over every hover
// region of the frame and the page leave the window exactly as it was drawn.
TEST_F(AppShellTest, TenHoverPassesOverTheBasicPageLeaveNoTraceWithTheDeliveredSkins)
{
    const std::filesystem::path skins = std::filesystem::path(folder.path().toStdString()) / "Skins";
    const std::filesystem::path delivered = std::filesystem::path(qgetenv("VEXO_BUILD_DIR").toStdString()) / "bin/Skins";
    std::vector<Region> regions = {frame::kOk, frame::kApply, frame::kCancel, frame::kSkins, frame::kClose,
                                   frame::kMinimise, frame::kPreviousPage, frame::kNextPage, basic::kKeyDefault};
    for (int k = 0; k < 8; ++k)
        regions.push_back(basic::FunctionBox(k));
    for (const char* name : {"Black", "Blue"}) {
        SCOPED_TRACE(name);
        std::filesystem::create_directory_symlink(delivered / name, skins / name);
        writeStrIni("EN", name);
        shell.reset();
        SkinImages().clear();
        g_nCurrentPage = kNoPage;
        g_bBasicPageReady = false;
        start();
        tray.click(TrayIcon::Click::Left);
        CMainDialog& window = shell->window();
        ASSERT_EQ(g_nCurrentPage, kBasicPage);
        const QPoint away(700, 140);
        window.HandleMouseMove(away);
        const QImage first = window.BackBuffer().copy();
        for (const Region& r : regions) {
            const QPoint p(r.left + 3, r.top + 3);
            for (int pass = 0; pass < 10; ++pass) {
                window.HandleMouseMove(p);
                window.HandleHover(p);
                window.HandleMouseMove(away);
            }
            EXPECT_EQ(window.BackBuffer(), first) << "region at " << r.left << "," << r.top;
        }
        // Down the column of function boxes, each lighting in turn.
        for (int k = 0; k < 8; ++k) {
            const QPoint p(basic::FunctionBox(k).left + 3, basic::FunctionBox(k).top + 3);
            window.HandleMouseMove(p);
            window.HandleHover(p);
        }
        window.HandleMouseMove(away);
        EXPECT_EQ(window.BackBuffer(), first);
    }
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
