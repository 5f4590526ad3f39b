// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// vexoctl as users and scripts run it: one whole process per iteration, from spawn to exit.
//  BM_GetAll: `vexoctl get` of every setting, without the window (no session bus is offered to it),
//    against a copy of the delivered data files; the target is under 20 ms.
//  BM_SetDpiSimulated: `vexoctl --simulate set dpi.2=800` (alternating with 1600) with the simulated
//    mouse, whose pauses are recorded rather than slept: the process's own cost around the change.
//    The slept pauses against the prescribed ones are BM_SetOneValueSleeping of apply_bench.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

// Runs the program with its output on /dev/null; its exit status, or -1.
int Run(std::vector<std::string> arguments) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (std::string& a : arguments)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    // Without a session bus, as a script with no window around sees it.
    std::vector<std::string> keep;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        if (!entry.starts_with("DBUS_SESSION_BUS_ADDRESS=") && !entry.starts_with("XDG_RUNTIME_DIR="))
            keep.push_back(entry);
    }
    std::vector<char*> envp;
    for (std::string& e : keep)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
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
