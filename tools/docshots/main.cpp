// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// vexo-docshots OUT.png [SKIN]: photographs the basic page of the demo mode with the list of a
// button's functions open and the DPI Switch side list beside it, as a user sees it when choosing
// "DPI Switch", for the README. The pointer's moves are sent to the window as the window system
// sends them.
#include <QApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "app/app_icon_engine.h"
#include "app/app_shell.h"
#include "sim/memory_pointer_settings.h"
#include "config/config_store.h"
#include "config/file_locations.h"
#include "platform/qt/qt_tray_icon.h"
#include "sim/recording_pauser.h"
#include "sim/silent_prompter.h"
#include "sim/sim_device_monitor.h"
#include "sim/sim_hid_backend.h"
#include "sim/sim_mouse.h"
#include "ui/basic/basic_page_regions.h"
#include "ui/frame/main_dialog.h"

using namespace vexo;

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::cerr << "usage: vexo-docshots OUT.png [SKIN]\n";
        return 64;
    }
    const std::string skin = argc > 2 ? argv[2] : "Black";
    // A copy of the delivered files, so the photograph never changes the build's own.
    QTemporaryDir folder;
    const std::filesystem::path bin = QCoreApplication::applicationDirPath().toStdString();
    const std::filesystem::path dir = folder.path().toStdString();
    std::filesystem::copy_file(bin / "config.bin", dir / "config.bin");
    std::filesystem::create_directory_symlink(bin / "Skins", dir / "Skins");
    std::ofstream(dir / "str.ini") << "[Skins]\nLan=EN\nPath=" << skin << "\nRColor=255\nGColor=255\nBColor=255\n";

    const FileLocations locations = FileLocations::inFolder(dir);
    auto mouse = std::make_shared<SimMouse>(3);
    SimHidBackend hid(mouse);
    SimDeviceMonitor monitor(mouse);
    RecordingPauser pauser;
    ConfigStore config(locations.configBin());
    QtTrayIcon tray(AppIcon());
    SilentPrompter prompter;
    MemoryPointerSettings desktop;
    AppShell shell(
        ShellParts{hid, pauser, config, tray, prompter, desktop, &monitor, [](const std::string&) {}, locations});
    shell.initialise(true);
    CMainDialog& window = shell.window();

    const Region box = basic::FunctionBox(2);
    QTest::mouseClick(&window, Qt::LeftButton, Qt::NoModifier, QPoint(box.left + 40, box.top + 8));
    auto* list = window.findChild<QListWidget*>(QString::number(basic::kFunctionListId + 2));
    if (list == nullptr) {
        std::cerr << "vexo-docshots: the function list did not open\n";
        return 1;
    }
    const QPoint entry = list->visualItemRect(list->item(6)).center();
    QMouseEvent move(QEvent::MouseMove, entry, list->viewport()->mapToGlobal(entry), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &move);
    QCoreApplication::processEvents();
    const bool saved = window.grab().save(QString::fromLocal8Bit(argv[1]), "PNG");
    shell.cleanUp();
    if (!saved) {
        std::cerr << "vexo-docshots: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
