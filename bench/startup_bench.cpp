// Start-up of the utility, side by side with a bare Qt Widgets program that opens one frameless
// 880 x 650 window. Each iteration starts the program as a new process and waits for its end:
// `vexo --simulate --quit-after-start` ends right after its main window's initialisation (the
// simulated mouse found, handshake, config.bin, str.ini, skin, fonts, basic page drawn).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace {

void RunProgram(benchmark::State& state, const QString& name, const QStringList& args)
{
    const QString program = QCoreApplication::applicationDirPath() + "/" + name;
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
    RunProgram(state, "vexo_bare_window", {});
}

void VexoStartUp(benchmark::State& state)
{
    RunProgram(state, "vexo", {"--simulate", "--quit-after-start"});
}

BENCHMARK(BareQtWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(VexoStartUp)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
