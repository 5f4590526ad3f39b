// Start-up of the utility, side by side with a bare Qt Widgets program that opens one frameless
// 880 x 650 window. Each iteration starts the program as a new process and waits for its end:
// `vexo --simulate --quit-after-start` ends right after its main window's initialisation (the
// simulated mouse found, handshake, config.bin, str.ini, skin, fonts, basic page drawn).
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
#include <unistd.h>

namespace {

QString BuildFile(const QString& name)
{
    return QCoreApplication::applicationDirPath() + "/" + name;
}

// A folder that the utility takes as its portable install. Null when it cannot be made.
std::unique_ptr<QTemporaryDir> PortableCopy(bool firstStart)
{
    auto dir = std::make_unique<QTemporaryDir>();
    const QString to = dir->path() + "/";
    // A hard link, so that the program finds its files beside it and not beside the build's copy.
    const bool program = ::link(QFile::encodeName(BuildFile("vexo")).constData(),
                                QFile::encodeName(to + "vexo").constData()) == 0 ||
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
    bytes[0] = firstStart ? 0 : 1;  // the first-run flag
    config.write(bytes);
    return dir;
}

void RunProgram(benchmark::State& state, const QString& program, const QStringList& args)
{
    // Desktops keep the runtime folder in memory (/run/user/UID); so does the benchmark, so that the
    // single-instance lock costs what it costs there and not a flush to disk.
    const bool inMemory = QFileInfo(QStringLiteral("/dev/shm")).isWritable();
    QTemporaryDir runtime(inMemory ? QStringLiteral("/dev/shm/vexo-bench-XXXXXX") : QString());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    if (!env.contains("QT_QPA_PLATFORM"))
        env.insert("QT_QPA_PLATFORM", "offscreen");
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
}

void BareQtWindow(benchmark::State& state)
{
    RunProgram(state, BuildFile("vexo_bare_window"), {});
}

// The floor under the utility's figure: the bare window that also decodes the default skin's page
// background and paints it, and then, in addition, waits out the handshake's two 5 ms pauses while
// that decode runs. Neither does anything else the utility does (tray, lock, files, mouse, fonts).
constexpr int kHandshakePausesMs = 10;

void BareQtWindowWithPage(benchmark::State& state, bool handshakePauses)
{
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

void VexoStartUp(benchmark::State& state, bool firstStart)
{
    const auto install = PortableCopy(firstStart);
    if (!install) {
        state.SkipWithError("cannot make a portable copy of the build");
        return;
    }
    RunProgram(state, install->path() + "/vexo", {"--simulate", "--quit-after-start"});
}

BENCHMARK(BareQtWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK_CAPTURE(BareQtWindowWithPage, background, false)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK_CAPTURE(BareQtWindowWithPage, background_and_handshake_pauses, true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);
BENCHMARK_CAPTURE(VexoStartUp, first_start, true)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK_CAPTURE(VexoStartUp, later_start, false)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
