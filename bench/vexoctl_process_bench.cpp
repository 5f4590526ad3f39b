// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// vexoctl as users and scripts run it: one whole process per iteration, from spawn to exit.
//  BM_GetAll: `vexoctl get` of every setting, without the window (no session bus is offered to it),
//    against a copy of the delivered data files; the target is under 20 ms.
//  BM_GetAllThroughWindow: the same `get` while `vexo --simulate --show` runs on a private session
//    bus (offscreen platform): vexoctl asks the window, which answers from what it holds.
//  BM_SetDpiSimulated: `vexoctl --simulate set dpi.2=800` (alternating with 1600) with the simulated
//    mouse, whose pauses are recorded rather than slept: the process's own cost around the change.
//    The slept pauses against the prescribed ones are BM_SetOneValueSleeping of apply_bench.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

// The environment without a session bus, as a script with no window around sees it, plus extra.
std::vector<std::string> Environment(const std::vector<std::string>& extra) {
    std::vector<std::string> keep;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        if (!entry.starts_with("DBUS_SESSION_BUS_ADDRESS=") && !entry.starts_with("XDG_RUNTIME_DIR="))
            keep.push_back(entry);
    }
    keep.insert(keep.end(), extra.begin(), extra.end());
    return keep;
}

// Starts the program with its output on /dev/null; its process id, or -1.
pid_t Start(std::vector<std::string> arguments, std::vector<std::string> environment) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (std::string& a : arguments)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& e : environment)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return spawned == 0 ? pid : -1;
}

// Runs the program to its end; its exit status, or -1.
int Run(std::vector<std::string> arguments, std::vector<std::string> environment = Environment({})) {
    const pid_t pid = Start(std::move(arguments), std::move(environment));
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

struct DataFolder {
    DataFolder() : dir(std::filesystem::temp_directory_path() / ("vexoctl-bench-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(dir);
        std::filesystem::copy_file(std::filesystem::path(VEXO_DATA_DIR) / "config.bin", dir / "config.bin");
        std::filesystem::copy_file(std::filesystem::path(VEXO_DATA_DIR) / "str.ini", dir / "str.ini");
    }
    ~DataFolder() { std::filesystem::remove_all(dir); }
    std::filesystem::path dir;
};

void BM_GetAll(benchmark::State& state) {
    DataFolder data;
    for (auto _ : state) {
        if (Run({VEXOCTL_PATH, "--data", data.dir.string(), "get"}) != 0) {
            state.SkipWithError("vexoctl get failed");
            return;
        }
    }
}
BENCHMARK(BM_GetAll)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

// A private dbus-daemon and the window on it, for the life of a benchmark.
struct WindowOnPrivateBus {
    explicit WindowOnPrivateBus(const std::filesystem::path& data) : run(data / "run") {
        std::filesystem::create_directories(run);
        std::filesystem::permissions(run, std::filesystem::perms::owner_all);
        const std::string address = "unix:path=" + (run / "bus").string();
        daemon = Start({"dbus-daemon", "--session", "--nofork", "--address=" + address}, Environment({}));
        environment = Environment({"DBUS_SESSION_BUS_ADDRESS=" + address, "XDG_RUNTIME_DIR=" + run.string(),
                                   "XDG_CONFIG_HOME=" + (data / "config").string(), "QT_QPA_PLATFORM=offscreen"});
        window = Start({VEXO_PATH, "--simulate", "--show", "--data", data.string()}, environment);
        // Ready once the window owns its name on the bus.
        for (int i = 0; i < 400 && !ready; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            ready = Run({"dbus-send", "--session", "--print-reply", "--dest=example.vexo_gaming.T58",
                         "/example/vexo_gaming/T58", "example.vexo_gaming.T58.Settings.DataFolder"},
                        environment) == 0;
        }
    }
    ~WindowOnPrivateBus() {
        for (const pid_t pid : {window, daemon}) {
            if (pid > 0) {
                ::kill(pid, SIGTERM);
                ::waitpid(pid, nullptr, 0);
            }
        }
    }
    std::filesystem::path run;
    std::vector<std::string> environment;
    pid_t daemon = -1, window = -1;
    bool ready = false;
};

void BM_GetAllThroughWindow(benchmark::State& state) {
    DataFolder data;
    WindowOnPrivateBus window(data.dir);
    if (!window.ready) {
        state.SkipWithError("the window did not come up on the private bus");
        return;
    }
    for (auto _ : state) {
        if (Run({VEXOCTL_PATH, "--data", data.dir.string(), "get"}, window.environment) != 0) {
            state.SkipWithError("vexoctl get failed");
            return;
        }
    }
}
BENCHMARK(BM_GetAllThroughWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void BM_SetDpiSimulated(benchmark::State& state) {
    DataFolder data;
    bool high = false;
    for (auto _ : state) {
        high = !high;
        const std::string value = high ? "dpi.2=800" : "dpi.2=1600";
        if (Run({VEXOCTL_PATH, "--data", data.dir.string(), "--simulate", "set", value}) != 0) {
            state.SkipWithError("vexoctl set failed");
            return;
        }
    }
}
BENCHMARK(BM_SetDpiSimulated)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
