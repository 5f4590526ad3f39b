// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
// The whole program as a user meets it: the application shell with its main window over a folder
// of delivered files and the simulated mouse. Clicks and pointer moves arrive as real mouse events
// at client coordinates; what the mouse received is read back from the simulated firmware.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <memory>

#include "../ui/qt_test_main.h"
#include "../ui/skin_fixture.h"
#include "app/app_shell.h"
#include "sim/memory_pointer_settings.h"
#include "config/config_store.h"
#include "config/file_locations.h"
#include "config/ini_settings.h"
#include "recording_tray_icon.h"
#include "sim/recording_pauser.h"
#include "sim/sim_device_monitor.h"
#include "sim/sim_hid_backend.h"
#include "sim/sim_mouse.h"
#include "support/recording_prompter.h"
#include "ui/basic/basic_page.h"
#include "ui/frame/frame_regions.h"
#include "ui/frame/main_dialog.h"
#include "ui/skin/skin_drawing.h"
#include "ui/skin/skin_context.h"

namespace vexo::test {

class BasicPageRig : public ::testing::Test {
protected:
    // Solid pictures of the page, so a pixel tells which one is drawn where.
    static constexpr QRgb kBoxNormal = 0xff203040, kBoxOver = 0xff405060, kPane = 0xff111111, kTick = 0xff22cc22,
                          kRateDark = 0xff333300, kRateLight = 0xffeeee00, kLightingBox = 0xff660066;

    void SetUp() override {
        TestApp();
        skin.write("/DropdownBox-normal.png", 211, 21, kBoxNormal);
        skin.write("/DropdownBox-over.png", 211, 21, kBoxOver);
        skin.write("/Pane.png", 16, 16, kPane);
        skin.write("/PaneMakingTick.png", 16, 16, kTick);
        skin.write("/slider-RP-dark.png", 70, 11, kRateDark);
        skin.write("/slider-RP-light.png", 70, 11, kRateLight);
        skin.write("/dropdownbox.png", 85, 15, kLightingBox);
        const std::filesystem::path dir = folder.path().toStdString();
        std::filesystem::copy_file(std::filesystem::path(qgetenv("VEXO_BUILD_DIR").toStdString()) / "bin/config.bin",
                                   dir / "config.bin");
        std::filesystem::create_directories(dir / "Skins");
        std::filesystem::rename(skin.path().toStdString(), dir / "Skins/Test");
        writeFile("str.ini", "[Skins]\nLan=EN\nPath=Test\nRColor=255\nGColor=255\nBColor=255\n");
    }

    void writeFile(const char* name, const QByteArray& bytes) {
        QFile file(folder.path() + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    QByteArray readFile(const char* name) const {
        QFile file(folder.path() + "/" + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Replaces config.bin's record (keeping the first-run flag) before the start.
    void writeRecord(const ConfigRecord& record, char firstRunFlag = 1) {
        QByteArray bytes(1, firstRunFlag);
        bytes.append(reinterpret_cast<const char*>(record.bytes().data()), qsizetype(record.bytes().size()));
        writeFile("config.bin", bytes);
    }
    // The record as config.bin holds it now.
    ConfigRecord savedRecord() const {
        const QByteArray bytes = readFile("config.bin");
        EXPECT_EQ(bytes.size(), qsizetype(ConfigStore::kFileSize));
        ConfigRecord::Bytes raw{};
        if (bytes.size() == qsizetype(ConfigStore::kFileSize))
            std::copy(bytes.begin() + 1, bytes.end(), raw.begin());
        return ConfigRecord(raw);
    }
    // The labels str.ini holds now.
    IniSettings savedLabels() const {
        IniSettings saved;
        saved.m_strStrIniPath = locations.strIni();
        saved.m_strSettingSection = shell->texts().m_strSettingSection;
        saved.LoadIniSettings();
        return saved;
    }

    void start(bool plugged = true) {
        if (!plugged)
            mouse->unplug();
        shell = std::make_unique<AppShell>(
            ShellParts{hid, pauser, config, tray, prompter, desktop, &monitor, [](const std::string&) {}, locations});
        shell->initialise(true);
    }
    CMainDialog& window() { return shell->window(); }
    BasicPage& page() { return shell->basicPage(); }
    ConfigRecord& record() { return config.record(); }

    // A left click at p (client pixels), as the window system delivers it.
    void click(QPoint p) { QTest::mouseClick(&window(), Qt::LeftButton, Qt::NoModifier, p); }
    void click(const Region& region) { click(QPoint(region.left + 3, region.top + 3)); }
    // Apply, and the event loop until its save is over and told (the window takes input again).
    void apply() {
        click(QPoint(frame::kApply.left + 50, frame::kApply.top + 10));
        QElapsedTimer timer;
        timer.start();
        while (window().ApplyRunning() && timer.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        ASSERT_FALSE(window().ApplyRunning());
    }

    // Lists closed by a choice are deleted once their signal has returned; that is done first.
    QListWidget* list(int id) const {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return shell->window().findChild<QListWidget*>(QString::number(id));
    }
    template <typename W>
    W* control(int id) const {
        return shell->window().findChild<W*>(QString::number(id));
    }
    // The pointer moves onto entry row of an open list.
    void hoverEntry(QListWidget* list, int row) {
        ASSERT_NE(list, nullptr);
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QMouseEvent move(QEvent::MouseMove, at, list->viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &move);
    }
    // A left click on entry row of an open list.
    void pickEntry(QListWidget* list, int row) {
        ASSERT_NE(list, nullptr);
        hoverEntry(list, row);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualItemRect(list->item(row)).center());
        QCoreApplication::processEvents();
    }
    QRgb pixel(const Region& region) const {
        return shell->window().BackBuffer().pixel(region.left + region.width() / 2, region.top + region.height() / 2);
    }

    QTemporaryDir folder;
    SkinFixture skin;
    FileLocations locations = FileLocations::inFolder(folder.path().toStdString());
    std::shared_ptr<SimMouse> mouse = std::make_shared<SimMouse>(3);
    SimHidBackend hid{mouse};
    SimDeviceMonitor monitor{mouse};
    RecordingPauser pauser;
    ConfigStore config{locations.configBin()};
    RecordingTrayIcon tray;
    RecordingPrompter prompter;
    MemoryPointerSettings desktop;
    std::unique_ptr<AppShell> shell;
};

} // namespace vexo::test
