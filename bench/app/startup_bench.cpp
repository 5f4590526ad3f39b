// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// Start-up of the utility, side by side with a bare Qt Widgets program that opens one frameless
// 880 x 650 window. Each iteration starts the program as a new process and waits for its end:
// `vexo --simulate --quit-after-start` ends right after its main window's initialisation (the
// simulated mouse found, handshake, config.bin, str.ini, skin, fonts, basic page drawn).
//
// The login case starts the utility as a session does at login, behind its notification-area icon,
// side by side with the bare tray program (bench/app/bare_tray.cpp); each ends once the notification
// area has placed its icon. It needs an X display with a notification area (DISPLAY set, trayer
// running, as bench/app/resident_memory.sh sets up); without one those cases are skipped.
//
// Every case also reports child_cpu_ms, the CPU time (user and system) one run of the program took.
//
// The utility runs from a portable copy of the build (program, config.bin, str.ini, skins), so the
// build's own files stay untouched, in two cases: the first start after installing (config.bin as
// delivered, so the first showing also stores the default button labels) and every later start.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

namespace {

QString BuildFile(const QString& name) { return QCoreApplication::applicationDirPath() + "/" + name; }

// A folder that the utility takes as its portable install. Null when it cannot be made.
std::unique_ptr<QTemporaryDir> PortableCopy(bool firstStart) {
    auto dir = std::make_unique<QTemporaryDir>();
    const QString to = dir->path() + "/";
    // A hard link, so that the program finds its files beside it and not beside the build's copy.
    const bool program =
        ::link(QFile::encodeName(BuildFile("vexo")).constData(), QFile::encodeName(to + "vexo").constData()) == 0 ||
        QFile::copy(BuildFile("vexo"), to + "vexo");
    if (!dir->isValid() || !program || !QFile::copy(BuildFile("str.ini"), to + "str.ini") ||
        !QFile::link(BuildFile("Skins"), to + "Skins"))
        return nullptr;
    QFile source(BuildFile("config.bin"));
    QFile config(to + "config.bin");
    if (!source.open(QIODevice::ReadOnly) || !config.open(QIODevice::WriteOnly))
        return nullptr;
    QByteArray bytes = source.readAll();
    if (bytes.isEmpty())
        return nullptr;
    bytes[0] = firstStart ? 0 : 1; // the first-run flag
    config.write(bytes);
    return dir;
}

double ChildrenCpuMs() {
    rusage usage{};
    ::getrusage(RUSAGE_CHILDREN, &usage);
    const auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// display: on the X server of DISPLAY (with its notification area) instead of the offscreen platform.
void RunProgram(benchmark::State& state, const QString& program, const QStringList& args, bool display = false) {
    // Desktops keep the runtime folder in memory (/run/user/UID); so does the benchmark, so that the
    // single-instance lock costs what it costs there and not a flush to disk.
    const bool inMemory = QFileInfo(QStringLiteral("/dev/shm")).isWritable();
    QTemporaryDir runtime(inMemory ? QStringLiteral("/dev/shm/vexo-bench-XXXXXX") : QString());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    if (display) {
        if (!env.contains("DISPLAY")) {
            state.SkipWithError("no X display with a notification area (DISPLAY is not set)");
            return;
        }
        env.insert("QT_QPA_PLATFORM", "xcb");
    } else if (!env.contains("QT_QPA_PLATFORM")) {
        env.insert("QT_QPA_PLATFORM", "offscreen");
    }
    const double cpuBefore = ChildrenCpuMs();
    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedOutputChannel);
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(program, args);
        if (!process.waitForFinished(30000) || process.exitCode() != 0) {
            state.SkipWithError(("cannot run " + program).toStdString().c_str());
            return;
        }
    }
    state.counters["child_cpu_ms"] = benchmark::Counter((ChildrenCpuMs() - cpuBefore) / double(state.iterations()));
}

void BareQtWindow(benchmark::State& state) { RunProgram(state, BuildFile("vexo_bare_window"), {}); }

// The floor under the utility's figure: the bare window that also decodes the default skin's page
// background and paints it, and then, in addition, waits out the handshake's two 5 ms pauses while
// that decode runs. Neither does anything else the utility does (tray, lock, files, mouse, fonts).
constexpr int kHandshakePausesMs = 10;

void BareQtWindowWithPage(benchmark::State& state, bool handshakePauses) {
    const QString page = BuildFile("Skins/Black/BasicSet2.png");
    if (!QFileInfo::exists(page)) {
        state.SkipWithError("the default skin is not in the build");
        return;
    }
    QStringList args{"--background", page};
    if (handshakePauses)
        args << "--pause-ms" << QString::number(kHandshakePausesMs);
    RunProgram(state, BuildFile("vexo_bare_window"), args);
}

void VexoStartUp(benchmark::State& state, bool firstStart) {
    const auto install = PortableCopy(firstStart);
    if (!install) {
        state.SkipWithError("cannot make a portable copy of the build");
        return;
    }
    RunProgram(state, install->path() + "/vexo", {"--simulate", "--quit-after-start"});
}

// A start at login: the bare tray program to its icon in place, alone and with the one notice a
// start with a mouse shows; the utility behind its icon with the simulated mouse.
void BareTrayAtLogin(benchmark::State& state, bool notice) {
    QStringList args{"--quit-after-start"};
    if (notice)
        args << "--notice";
    RunProgram(state, BuildFile("vexo_bare_tray"), args, true);
}

void VexoAtLogin(benchmark::State& state) {
    const auto install = PortableCopy(false);
    if (!install) {
        state.SkipWithError("cannot make a portable copy of the build");
        return;
    }
    RunProgram(state, install->path() + "/vexo", {"--simulate", "--quit-after-start"}, true);
}

BENCHMARK_CAPTURE(BareTrayAtLogin, icon, false)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK_CAPTURE(BareTrayAtLogin, icon_and_notice, true)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(VexoAtLogin)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BareQtWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK_CAPTURE(BareQtWindowWithPage, background, false)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK_CAPTURE(BareQtWindowWithPage, background_and_handshake_pauses, true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);
BENCHMARK_CAPTURE(VexoStartUp, first_start, true)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK_CAPTURE(VexoStartUp, later_start, false)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
