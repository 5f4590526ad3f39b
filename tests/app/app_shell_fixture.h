// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
// The application shell against the simulated mouse, in a folder of its own: the fixture the shell's
// test files share.
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
#include "config/config_store.h"
#include "config/dpi_table.h"
#include "config/factory_record.h"
#include "config/file_locations.h"
#include "config/key_entry.h"
#include "config/temp_dir.h"
#include "app/startup_prefetch.h"
#include "device/device_session.h"
#include "recording_tray_icon.h"
#include "sim/memory_pointer_settings.h"
#include "sim/recording_pauser.h"
#include "sim/sim_device_monitor.h"
#include "sim/sim_hid_backend.h"
#include "sim/sim_mouse.h"
#include "support/bounded_run.h"
#include "support/recording_prompter.h"
#include "ui/basic/basic_page_regions.h"
#include "ui/frame/frame_regions.h"
#include "ui/frame/main_dialog.h"
#include "ui/skin/skin_drawing.h"
#include "ui/skin/skin_context.h"

namespace vexo {

class AppShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::TestApp();
        const std::filesystem::path dir = folder.path().toStdString();
        std::filesystem::copy_file(std::filesystem::path(qgetenv("VEXO_BUILD_DIR").toStdString()) / "bin/config.bin",
                                   dir / "config.bin");
        std::filesystem::create_directories(dir / "Skins");
        std::filesystem::rename(skin.path().toStdString(), dir / "Skins/Test");
        writeStrIni("EN");
    }
    void writeStrIni(const char* language, const char* skinName = "Test") {
        QFile ini(folder.path() + "/str.ini");
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ini.write(
            QString("[Skins]\nLan=%1\nPath=%2\nRColor=300\nGColor=12abc\nBColor=x\n").arg(language, skinName).toUtf8());
    }
    // A start at login (behind the icon), or with show a start that shows the window.
    void start(bool plugged = true, bool show = false) {
        if (!plugged)
            mouse->unplug();
        shell = std::make_unique<AppShell>(ShellParts{hid, pauser, config, tray, prompter, desktop, &monitor,
                                                      [this](const std::string& url) { urls.push_back(url); },
                                                      locations, prefetch.get()});
        shell->initialise(show);
    }
    // The window as its first showing brings it up (a start behind the icon holds no face until then).
    CMainDialog& shownWindow() {
        shell->window().BringToFront();
        return shell->window();
    }
    // Runs the event loop until pred holds or a second has passed.
    template <typename P>
    bool waitFor(P pred) {
        QElapsedTimer timer;
        timer.start();
        while (!pred() && timer.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return pred();
    }
    // The event loop until an Apply's save is over and told: the window takes input again.
    bool applyFinished(int timeoutMs = 10000) {
        QElapsedTimer timer;
        timer.start();
        while (shell->window().ApplyRunning() && timer.elapsed() < timeoutMs)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return !shell->window().ApplyRunning();
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
    MemoryPointerSettings desktop;
    std::size_t mouseCallsAtDesktop = 0;
    std::vector<std::string> urls;
    std::vector<std::string> exchanges;
    std::unique_ptr<StartupPrefetch> prefetch;
    std::unique_ptr<AppShell> shell;

    AppShellTest() {
        // The first call of an apply of the desktop settings marks where the mouse's exchanges were.
        desktop.onCall = [this](const std::string& call) {
            if (call.starts_with("set precision")) {
                exchanges.push_back("desktop");
                mouseCallsAtDesktop = mouse->exchanges().size();
            }
        };
    }
    // The first byte of config.bin on disk: 0 as delivered, 1 once something was saved.
    char firstRunByte() const {
        QFile file(folder.path() + "/config.bin");
        return file.open(QIODevice::ReadOnly) ? file.read(1).at(0) : char(-1);
    }
    QString strIniText() const {
        QFile file(folder.path() + "/str.ini");
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

} // namespace vexo
