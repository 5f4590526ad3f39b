// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "app/mouse_app.h"

#include <QDBusConnection>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QUrl>
#include <filesystem>
#include <memory>
#include <optional>

#include "app/app_icon_engine.h"
#include "app/app_options.h"
#include "app/app_shell.h"
#include "app/console_prompter.h"
#include "app/settings_bus.h"
#include "app/start_cost.h"
#include "app/startup_prefetch.h"
#include "app/trace_file.h"
#include "app/tracing_tray_icon.h"
#include "base/write_all.h"
#include "config/application_title.h"
#include "config/config_store.h"
#include "config/file_locations.h"
#include "platform/linux/deferred_pointer_settings.h"
#include "platform/linux/desktop_pointer_factory.h"
#include "platform/linux/gtk_shell_modal_hint.h"
#include "device/device_session.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/session_bus.h"
#include "platform/linux/sleep_pauser.h"
#include "platform/qt/qt_prompter.h"
#include "platform/qt/qt_tray_icon.h"
#include "platform/qt/activation_token.h"
#include "platform/qt/single_instance.h"
#include "platform/qt/termination_signals.h"
#include "sim/memory_pointer_settings.h"
#include "sim/sim_device_monitor.h"
#include "sim/sim_hid_backend.h"
#include "sim/sim_mouse.h"
#include "sim/sim_notice_script.h"
#include "ui/frame/main_dialog.h"

namespace vexo {

namespace {
// How often the demo mouse plays its little script of notices, unplugging and replugging.
constexpr int kDemoNoticePeriodMs = 12000;
// The longest a start behind the icon waits for the notification area to place it.
constexpr int kPlacementWaitMs = 2000;

void waitForIconPlaced(QtTrayIcon& tray) {
    QElapsedTimer since;
    since.start();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        const QRect place = tray.systemTrayIcon().geometry();
        if ((!place.isEmpty() && place.topLeft() != QPoint(0, 0)) || since.elapsed() > kPlacementWaitMs)
            loop.quit();
    });
    poll.start(1);
    loop.exec();
}
} // namespace

CMouseApp::CMouseApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName("vexo-t58");
    setApplicationDisplayName("VEXO T58");
    // Lets the desktop match the window to the menu entry and its icon (the Wayland app id).
    setDesktopFileName("example.vexo_gaming.T58");
    // The window hides instead of closing; the program lives on behind its icon.
    setQuitOnLastWindowClosed(false);
    // No application-wide window icon: on X11 Qt would hand it, every size of it, to each window it
    // makes, the notification-area icon's and the notices' too, about 100 KB apiece at login. The
    // windows a user sees get it themselves (see run()).
}

int CMouseApp::run() {
    std::vector<std::string> args;
    for (const QString& arg : arguments().mid(1))
        args.push_back(arg.toStdString());
    std::string error;
    const std::optional<AppOptions> options = AppOptions::parse(args, error);
    if (!options) {
        WriteToStderr("vexo: " + error + "\nTry 'vexo --help' for the options.\n");
        return AppOptions::kUsageStatus;
    }
    if (const auto status = AppOptions::answerEarly(args))
        return *status;
    const bool capture = !options->screenshot.empty();
    // A shot or a timing run has nobody to click a message away: every message goes to stderr.
    const bool unattended = capture || options->quitAfterStart;
    // A trace with lines missing is no help to anyone reading it: the run then fails.
    TraceFile* traceFile = nullptr;
    const auto finish = [&traceFile](int status) {
        if (traceFile != nullptr && traceFile->failed()) {
            WriteToStderr("vexo: the trace file could not be written completely\n");
            return status == 0 ? 1 : status;
        }
        return status;
    };

    // A session that ends, a closed terminal or Ctrl+C ends the program like its "Exit", even while
    // a message box is open: leaving every event loop closes the box, and the start-up then stops
    // where it is instead of going on to the main loop.
    bool ending = false;
    int endStatus = 0;
    const auto end = [&ending, &endStatus](int status) {
        ending = true;
        endStatus = status;
        QCoreApplication::exit(status);
    };
    TerminationSignals termination;
    connect(&termination, &TerminationSignals::terminationRequested, this, [&end](int) { end(0); });

    const QIcon icon = AppIcon();
    QtTrayIcon tray(icon);
    QtPrompter boxes(nullptr, icon);
    ConsolePrompter console(STDERR_FILENO);
    Prompter& prompter = unattended ? static_cast<Prompter&>(console) : boxes;
    // A shot or a timing run must not meet a running copy of the program.
    SingleInstance instance(unattended ? QString("T58SSOP28DPIVerMutex-%1").arg(applicationPid())
                                       : QString(SingleInstance::kDefaultName));
    switch (instance.tryLock()) {
    case SingleInstance::Lock::Taken: break;
    case SingleInstance::Lock::HeldByAnother:
        // The running one comes forward: its open message box, or its window where there is no
        // notification area to reach it from.
        {
            // Wayland compositors bring a window forward (or back from minimised) only with the
            // launcher's activation token, which the running instance cannot get by itself.
            const QByteArray token = ActivationToken::takeFromLauncher();
            if (token.isEmpty() && platformName() == QLatin1String("wayland"))
                WriteToStderr("vexo: the launcher gave no activation token (XDG_ACTIVATION_TOKEN); the desktop may "
                              "leave the running window where it is\n");
            instance.signalRunningInstance(options->show, token);
            return 0;
        }
    case SingleInstance::Lock::Unavailable: {
        // Ending here would leave the user with nothing and no reason; running without the guard
        // only risks a second copy.
        const std::string why = "Cannot make the single-instance lock: " + instance.errorString().toStdString() +
            ".\nThe program runs all the same, but a later start will not find this one.";
        prompter.message(why, std::string(kApplicationTitle));
        break;
    }
    }
    if (ending)
        return endStatus;
    // GNOME's compositor puts a Wayland dialog over its window only when told that it is modal.
    const std::unique_ptr<GtkShellModalHint> modalHint = GtkShellModalHint::install();

    FileLocations locations = FileLocations::detect();
    if (!options->dataDir.empty()) {
        locations = locations.withDataDir(options->dataDir);
    } else if (std::string prepareError; !locations.prepare(prepareError)) {
        prompter.message(prepareError, std::string(kApplicationTitle));
    }
    TraceFile trace;
    traceFile = &trace;
    if (!options->traceFile.empty()) {
        std::string traceError;
        const TraceTarget::Outcome opened = trace.open(
            options->traceFile, {locations.configBin(), locations.strIni(), locations.recordIni()}, traceError);
        if (opened != TraceTarget::Outcome::Opened) {
            WriteToStderr("vexo: " + traceError + "\n");
            // Naming a data file is a mistake on the command line, as vexoctl counts it too.
            return opened == TraceTarget::Outcome::DataFile ? AppOptions::kUsageStatus : 1;
        }
    }
    // As early as the files are known, so that it overlaps as much of the start-up as it can; a
    // start behind the icon draws nothing, so it has nothing to fetch ahead.
    const bool showWindow = !tray.available() || options->show || capture;
    std::optional<StartupPrefetch> prefetch;
    if (showWindow)
        prefetch.emplace(locations);

    // The real mouse, or the simulated one of the demo mode.
    std::shared_ptr<SimMouse> simMouse;
    std::unique_ptr<HidBackend> hid;
    std::unique_ptr<DeviceMonitor> monitor;
    if (options->simulate) {
        simMouse = std::make_shared<SimMouse>(options->sensorType);
        if (options->simulateUnplugged)
            simMouse->unplug();
        hid = std::make_unique<SimHidBackend>(simMouse);
        monitor = std::make_unique<SimDeviceMonitor>(simMouse);
    } else {
        hid = makeHidBackend();
        monitor = makeDeviceMonitor();
    }
    SleepPauser pauser;
    ConfigStore config(locations.configBin());
    // The desktop that runs the program keeps the pointer settings; the demo mode changes nothing
    // real, so it keeps them in memory.
    std::unique_ptr<DesktopPointerSettings> desktopSettings;
    if (options->simulate) {
        auto memory = std::make_unique<MemoryPointerSettings>();
        memory->precision = true;
        desktopSettings = std::move(memory);
    } else {
        // Found and opened when the advanced page or Apply first needs them, not at login.
        desktopSettings = std::make_unique<DeferredPointerSettings>(
            [] { return makeDesktopPointerSettings(DesktopEnvironment::detect()); });
    }

    // With --trace the notices shown go to the trace too, where an unattended run can count them.
    TracingTrayIcon tracedTray(tray, [&trace](const std::string& line) { trace.write(line); });
    TrayIcon& shellTray = trace.isOpen() ? static_cast<TrayIcon&>(tracedTray) : tray;
    ShellParts parts{
        *hid,          pauser,
        config,        shellTray,
        prompter,      *desktopSettings,
        monitor.get(), [](const std::string& url) { QDesktopServices::openUrl(QUrl(QString::fromStdString(url))); },
        locations,     prefetch ? &*prefetch : nullptr};
    AppShell shell(parts);
    // The pop-up dialogs are the main window's children and show its icon too.
    shell.window().setWindowIcon(icon);
    if (trace.isOpen())
        shell.session().transport().setTraceHook([&trace](const std::string& line) { trace.write(line); });
    connect(&shell, &AppShell::exitRequested, this, end);
    connect(&instance, &SingleInstance::activationRequested, &shell, &AppShell::activate);

    shell.initialise(showWindow);
    if (ending) {
        // The shell is cleaned up below the call that opened the box, never inside it.
        shell.cleanUp();
        return finish(endStatus);
    }
    if (options->advancedPage)
        shell.window().ShowAdvancedPage();

    if (capture) {
        const bool saved = shell.window().grab().save(QString::fromStdString(options->screenshot), "PNG");
        shell.cleanUp();
        if (!saved)
            WriteToStderr("vexo: cannot write " + options->screenshot + "\n");
        return finish(saved ? 0 : 1);
    }
    if (options->quitAfterStart) {
        // A start behind the icon has finished once the notification area has placed the icon.
        if (!showWindow)
            waitForIconPlaced(tray);
        std::string costError;
        const bool costWritten = options->startCostFile.empty() || WriteStartCost(options->startCostFile, costError);
        shell.cleanUp();
        if (!costWritten)
            WriteToStderr("vexo: --start-cost: " + costError + "\n");
        return finish(costWritten ? 0 : 1);
    }

    // Scripts and vexoctl reach the running window on the session bus; never one started for it.
    std::unique_ptr<SettingsBus> bus;
    if (SessionBus::Runs()) {
        bus = std::make_unique<SettingsBus>(shell, QDBusConnection::sessionBus());
        if (!bus->publish()) {
            WriteToStderr("vexo: the settings are not offered on the session bus: " + bus->lastError().toStdString() +
                          "\n");
            bus.reset();
        }
    }

    std::unique_ptr<SimNoticeScript> script;
    QTimer demo;
    if (simMouse && options->simulateNotices) {
        auto play = [&] { script = std::make_unique<SimNoticeScript>(simMouse, SimNoticeScript::demo()); };
        connect(&demo, &QTimer::timeout, this, play);
        demo.start(kDemoNoticePeriodMs);
        QTimer::singleShot(2000, this, play);
    }

    const int status = exec();
    bus.reset();
    script.reset();
    shell.cleanUp();
    return finish(status);
}

} // namespace vexo
