// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// Start-up of the utility, side by side with the bare programs that do only the work any program in
// its place must do. Each run starts the program as a new process and waits for its end:
// `vexo --simulate --quit-after-start` ends right after its main window's initialisation (the
// simulated mouse found, handshake, config.bin, str.ini, skin, fonts, basic page drawn).
//
// The login cases start the utility as a session does at login, behind its notification-area icon,
// beside the bare tray program (bench/app/bare_tray.cpp); each ends once the notification area has
// placed its icon. They need an X display with a notification area (DISPLAY set, trayer running, as
// bench/app/resident_memory.sh sets up); without one those cases are skipped.
//
// The *Pairs cases are the figures to compare: each iteration starts both programs, one right after
// the other, the order swapped every pair, so that a machine busy with other work weighs on both
// alike; they report the medians of each program's wall time, CPU time (user and system) and peak
// resident memory, and the ratios of those medians (utility / yardstick). Each figure comes twice:
// for the whole process (wall_ms, cpu_ms, peak_mib) and, as each program reports it with
// --start-cost, up to the end of its start-up (start_wall_ms, start_cpu_ms, start_peak_mib), which
// leaves out the ending a session pays at logout. The single-program cases report child_cpu_ms,
// child_start_cpu_ms and child_peak_mib per run.
//
// The utility runs from a portable copy of the build (program, config.bin, str.ini, skins), so the
// build's own files stay untouched, in two cases: the first start after installing (config.bin as
// delivered, so the first showing also stores the default button labels) and every later start.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

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

// One run of a program: what it cost, as the kernel accounts it for that one child, from the start to
// the end of the process, and from the start to the end of its start-up (the icon placed, the
// window shown), as the program itself reports it with --start-cost. The program's ending, which a
// session pays at logout and not at login, is in the first only.
struct Run {
    bool ok = false;
    double wallMs = 0;
    double cpuMs = 0;
    double peakMiB = 0;
    double startWallMs = 0;
    double startCpuMs = 0;
    double startPeakMiB = 0;
};

double MonotonicNs() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1e9 + double(now.tv_nsec);
}

// Reads the line of --start-cost into run; false when it is missing or malformed.
bool ReadStartCost(const QString& path, double startedNs, Run& run) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    double clockNs = -1, cpuUs = -1, peakKiB = -1;
    for (const QByteArray& field : file.readAll().trimmed().split(' ')) {
        const QList<QByteArray> pair = field.split('=');
        bool ok = false;
        const double value = pair.size() == 2 ? pair[1].toDouble(&ok) : 0;
        if (!ok)
            return false;
        if (pair[0] == "clock_ns")
            clockNs = value;
        else if (pair[0] == "cpu_us")
            cpuUs = value;
        else if (pair[0] == "peak_kib")
            peakKiB = value;
    }
    if (clockNs < startedNs || cpuUs < 0 || peakKiB < 0)
        return false;
    run.startWallMs = (clockNs - startedNs) / 1e6;
    run.startCpuMs = cpuUs / 1e3;
    run.startPeakMiB = peakKiB / 1024.0;
    return true;
}

// The environment the programs run in. display: on the X server of DISPLAY (with its notification
// area) instead of the offscreen platform. Empty when that cannot be had.
class Launcher {
public:
    explicit Launcher(bool display) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        // Desktops keep the runtime folder in memory (/run/user/UID); so does the benchmark, so that
        // the single-instance lock costs what it costs there and not a flush to disk.
        const bool inMemory = QFileInfo(QStringLiteral("/dev/shm")).isWritable();
        runtime_ = std::make_unique<QTemporaryDir>(inMemory ? QStringLiteral("/dev/shm/vexo-bench-XXXXXX") : QString());
        env.insert("XDG_RUNTIME_DIR", runtime_->path());
        if (display) {
            if (!env.contains("DISPLAY")) {
                error_ = "no X display with a notification area (DISPLAY is not set)";
                return;
            }
            env.insert("QT_QPA_PLATFORM", "xcb");
        } else if (!env.contains("QT_QPA_PLATFORM")) {
            env.insert("QT_QPA_PLATFORM", "offscreen");
        }
        for (const QString& entry : env.toStringList())
            env_.push_back(entry.toStdString());
    }

    const std::string& error() const { return error_; }

    // Starts program, waits for its end; ok only for a clean exit and a well-formed --start-cost
    // line.
    Run run(const QString& program, const QStringList& args) const {
        const QString costFile = runtime_->filePath(QStringLiteral("start-cost-%1").arg(++runs_));
        std::vector<std::string> argStore{program.toStdString()};
        for (const QString& arg : args)
            argStore.push_back(arg.toStdString());
        argStore.push_back("--start-cost");
        argStore.push_back(costFile.toStdString());
        std::vector<char*> argv, envp;
        for (const auto& a : argStore)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        for (const auto& e : env_)
            envp.push_back(const_cast<char*>(e.c_str()));
        envp.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        Run result;
        const double startedNs = MonotonicNs();
        const auto started = std::chrono::steady_clock::now();
        pid_t pid = 0;
        const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0)
            return result;
        // wait4 gives this child's own usage, peak resident memory included, which RUSAGE_CHILDREN
        // (the largest of all children so far) cannot.
        int status = 0;
        rusage usage{};
        pid_t waited;
        do
            waited = ::wait4(pid, &status, 0, &usage);
        while (waited < 0 && errno == EINTR);
        const auto ended = std::chrono::steady_clock::now();
        const auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
        result.ok = waited == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
            ReadStartCost(costFile, startedNs, result);
        QFile::remove(costFile);
        result.wallMs = std::chrono::duration<double, std::milli>(ended - started).count();
        result.cpuMs = ms(usage.ru_utime) + ms(usage.ru_stime);
        result.peakMiB = double(usage.ru_maxrss) / 1024.0; // KiB on Linux
        return result;
    }

private:
    std::unique_ptr<QTemporaryDir> runtime_;
    std::vector<std::string> env_;
    std::string error_;
    mutable int runs_ = 0;
};

struct Program {
    QString path;
    QStringList args;
};

void RunProgram(benchmark::State& state, const Program& program, bool display = false) {
    const Launcher launcher(display);
    if (!launcher.error().empty()) {
        state.SkipWithError(launcher.error().c_str());
        return;
    }
    double cpuMs = 0, peakMiB = 0, startCpuMs = 0;
    for (auto _ : state) {
        const Run run = launcher.run(program.path, program.args);
        if (!run.ok) {
            state.SkipWithError(("cannot run " + program.path).toStdString().c_str());
            return;
        }
        cpuMs += run.cpuMs;
        startCpuMs += run.startCpuMs;
        peakMiB = std::max(peakMiB, run.peakMiB);
    }
    state.counters["child_cpu_ms"] = cpuMs / double(state.iterations());
    state.counters["child_start_cpu_ms"] = startCpuMs / double(state.iterations());
    state.counters["child_peak_mib"] = peakMiB;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Pairs of runs, the utility and its yardstick, the order swapped every pair.
constexpr int kPairs = 15;

void RunPairs(benchmark::State& state, const Program& yardstick, const Program& vexo, bool display) {
    const Launcher launcher(display);
    if (!launcher.error().empty()) {
        state.SkipWithError(launcher.error().c_str());
        return;
    }
    std::vector<Run> bare, own;
    for (auto _ : state) {
        const bool vexoFirst = own.size() % 2 == 1;
        const Program& first = vexoFirst ? vexo : yardstick;
        const Program& second = vexoFirst ? yardstick : vexo;
        const Run a = launcher.run(first.path, first.args);
        const Run b = launcher.run(second.path, second.args);
        if (!a.ok || !b.ok) {
            state.SkipWithError(("cannot run " + (a.ok ? second : first).path).toStdString().c_str());
            return;
        }
        own.push_back(vexoFirst ? a : b);
        bare.push_back(vexoFirst ? b : a);
    }
    const auto report = [&](const char* name, double Run::*field) {
        std::vector<double> x, y;
        for (const Run& r : bare)
            x.push_back(r.*field);
        for (const Run& r : own)
            y.push_back(r.*field);
        const double floor = Median(x), mine = Median(y);
        state.counters[std::string("bare_") + name] = floor;
        state.counters[std::string("vexo_") + name] = mine;
        state.counters[std::string("ratio_") + name] = floor > 0 ? mine / floor : 0;
    };
    report("wall_ms", &Run::wallMs);
    report("cpu_ms", &Run::cpuMs);
    report("peak_mib", &Run::peakMiB);
    report("start_wall_ms", &Run::startWallMs);
    report("start_cpu_ms", &Run::startCpuMs);
    report("start_peak_mib", &Run::startPeakMiB);
}

void BareQtWindow(benchmark::State& state) { RunProgram(state, {BuildFile("vexo_bare_window"), {}}); }

// The floor under the utility's figure: the bare window that also decodes the default skin's page
// background and paints it, and then, in addition, waits out the handshake's two 5 ms pauses while
// that decode runs. Neither does anything else the utility does (tray, lock, files, mouse, fonts).
constexpr int kHandshakePausesMs = 10;

// text: the page floor with words on it as well (fonts, text shaping), under the figure of any
// page that shows a label. backBuffer: and the page composed in a back buffer beside the decoded
// background, under the figure of any page whose hover looks are restored from its background.
Program PageFloor(bool handshakePauses, bool text = false, bool backBuffer = false) {
    QStringList args{"--background", BuildFile("Skins/Black/BasicSet2.png")};
    if (handshakePauses)
        args << "--pause-ms" << QString::number(kHandshakePausesMs);
    if (text)
        args << "--text"
             << "VEXO T58 Basic settings";
    if (backBuffer)
        args << "--back-buffer";
    return {BuildFile("vexo_bare_window"), args};
}

bool HasPage(benchmark::State& state) {
    if (QFileInfo::exists(BuildFile("Skins/Black/BasicSet2.png")))
        return true;
    state.SkipWithError("the default skin is not in the build");
    return false;
}

void BareQtWindowWithPage(benchmark::State& state, bool handshakePauses) {
    if (HasPage(state))
        RunProgram(state, PageFloor(handshakePauses));
}

void VexoStartUp(benchmark::State& state, bool firstStart) {
    const auto install = PortableCopy(firstStart);
    if (!install) {
        state.SkipWithError("cannot make a portable copy of the build");
        return;
    }
    RunProgram(state, {install->path() + "/vexo", {"--simulate", "--quit-after-start"}});
}

// The shown start against the page floor with the handshake's pauses, pair by pair.
void ShownStartPairs(benchmark::State& state, bool textFloor, bool backBufferFloor = false) {
    const auto install = PortableCopy(false);
    if (!install) {
        state.SkipWithError("cannot make a portable copy of the build");
        return;
    }
    if (HasPage(state))
        RunPairs(state, PageFloor(true, textFloor, backBufferFloor),
                 {install->path() + "/vexo", {"--simulate", "--quit-after-start"}}, false);
}

// A start at login: the bare tray program to its icon in place, alone, with the one notice a
// start with a mouse shows, or waiting out the handshake's pauses after showing its icon; the
// utility behind its icon with the simulated mouse.
Program BareTray(bool notice, bool handshakePauses = false) {
    QStringList args{"--quit-after-start"};
    if (notice)
        args << "--notice";
    if (handshakePauses)
        args << "--pause-ms" << QString::number(kHandshakePausesMs);
    return {BuildFile("vexo_bare_tray"), args};
}

void BareTrayAtLogin(benchmark::State& state, bool notice) { RunProgram(state, BareTray(notice), true); }

void VexoAtLogin(benchmark::State& state) {
    const auto install = PortableCopy(false);
    if (!install) {
        state.SkipWithError("cannot make a portable copy of the build");
        return;
    }
    RunProgram(state, {install->path() + "/vexo", {"--simulate", "--quit-after-start"}}, true);
}

// The login start against the bare tray program, alone, with the notice or with the handshake's
// pauses, pair by pair.
void AtLoginPairs(benchmark::State& state, bool notice, bool handshakePauses = false) {
    const auto install = PortableCopy(false);
    if (!install) {
        state.SkipWithError("cannot make a portable copy of the build");
        return;
    }
    RunPairs(state, BareTray(notice, handshakePauses),
             {install->path() + "/vexo", {"--simulate", "--quit-after-start"}}, true);
}

BENCHMARK_CAPTURE(AtLoginPairs, bare_tray, false)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(kPairs);
BENCHMARK_CAPTURE(AtLoginPairs, bare_tray_and_notice, true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(kPairs);
BENCHMARK_CAPTURE(AtLoginPairs, bare_tray_and_handshake_pauses, false, true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(kPairs);
BENCHMARK_CAPTURE(ShownStartPairs, page_floor, false)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(kPairs);
BENCHMARK_CAPTURE(ShownStartPairs, page_and_text_floor, true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(kPairs);
BENCHMARK_CAPTURE(ShownStartPairs, page_text_and_back_buffer_floor, true, true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(kPairs);
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
