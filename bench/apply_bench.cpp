// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// One full Apply against the simulated mouse.
//  BM_ApplySleeping: with the protocol's pauses really slept; counters give the pauses the protocol
//    prescribes in the same run and the ratio of the whole Apply to them (1.0 = nothing but pauses).
//  BM_ApplyRecorded: pauses recorded, not slept: our own cost per Apply (commands, firmware model,
//    building the blocks, saving config.bin and the labels). Argument 0 keeps the files in the
//    temporary folder, 1 in /dev/shm (memory), which leaves out the disk's flush time.
//  BM_SetOneValueSleeping: what vexoctl set dpi.2=800 does once the mouse is connected (the name
//    checked and put into the record, only the blocks it changes sent with the pauses slept, the
//    files saved), against the pauses prescribed for that change. ratio_to_mouse: from the start to
//    the end of the change's last pause (the mouse has it all), which must stay <= 1.10; ratio: to
//    the end of the save as well, which a disk's flush of config.bin and str.ini can outlast.
//    Argument 0 keeps the files in the temporary folder, 1 in /dev/shm.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "config/config_store.h"
#include "config/factory_config_file.h"
#include "config/ini_settings.h"
#include "config/settings_vocabulary.h"
#include "config/ui_texts.h"
#include "device/settings_sync.h"
#include "platform/linux/sleep_pauser.h"
#include "sim/recording_pauser.h"
#include "sim/sim_hid_backend.h"
#include "sim/sim_mouse.h"
#include "sim/silent_notice_listener.h"
#include "sim/silent_prompter.h"

namespace {

using namespace vexo;

// Sleeps each pause and keeps the sum of what was asked for.
class TallyingSleepPauser final : public Pauser {
public:
    void pause(unsigned milliseconds) override {
        prescribedMs += milliseconds;
        sleeper.pause(milliseconds);
        lastPauseEnd = std::chrono::steady_clock::now();
    }
    SleepPauser sleeper;
    unsigned long prescribedMs = 0;
    // When the last pause ended: the mouse has had every command by then.
    std::chrono::steady_clock::time_point lastPauseEnd;
};

struct ApplyRig {
    ApplyRig(Pauser& pauser, const std::filesystem::path& base)
        : mouse(std::make_shared<SimMouse>(3)), backend(mouse), session(backend, pauser, prompter, listener, "bench"),
          dir(base / ("vexo-apply-bench-" + std::to_string(::getpid()))), store(dir / "config.bin") {
        mouse->setRecording(false);
        std::filesystem::create_directories(dir);
        const auto file = FactoryConfigFile();
        std::ofstream(dir / "config.bin", std::ios::binary)
            .write(reinterpret_cast<const char*>(file.data()), file.size());
        store.LoadConfig();
        settings.m_strStrIniPath = dir / "str.ini";
        settings.m_strSettingSection = "Setting-EN";
        settings.SetFirstRunLabels(SelectTexts("EN"));
        session.link().OpenMouse();
        session.transport().PerformHandshake();
        sync = std::make_unique<SettingsSync>(session, store, settings, prompter);
        sync->ConnectSensor();
    }
    ~ApplyRig() { std::filesystem::remove_all(dir); }

    std::shared_ptr<SimMouse> mouse;
    SimHidBackend backend;
    SilentPrompter prompter;
    SilentNoticeListener listener;
    DeviceSession session;
    std::filesystem::path dir;
    ConfigStore store;
    IniSettings settings;
    std::unique_ptr<SettingsSync> sync;
};

void BM_ApplySleeping(benchmark::State& state) {
    TallyingSleepPauser pauser;
    ApplyRig rig(pauser, std::filesystem::temp_directory_path());
    pauser.prescribedMs = 0;
    double wallSeconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const auto result = rig.sync->ApplyConfig();
        wallSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!result.sent)
            state.SkipWithError("the simulated mouse was not there");
    }
    const double prescribedSeconds = pauser.prescribedMs / 1000.0;
    state.counters["prescribed_ms"] = benchmark::Counter(pauser.prescribedMs / double(state.iterations()));
    state.counters["ratio"] = wallSeconds / prescribedSeconds;
}
BENCHMARK(BM_ApplySleeping)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

void BM_SetOneValueSleeping(benchmark::State& state) {
    const bool memory = state.range(0) == 1;
    if (memory && !std::filesystem::is_directory("/dev/shm")) {
        state.SkipWithError("no /dev/shm");
        return;
    }
    TallyingSleepPauser pauser;
    ApplyRig rig(pauser, memory ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path());
    rig.sync->ApplyConfig();
    pauser.prescribedMs = 0;
    double wallSeconds = 0;
    double toMouseSeconds = 0;
    bool high = false;
    for (auto _ : state) {
        // Alternating, so that every round changes the stage.
        high = !high;
        const auto start = std::chrono::steady_clock::now();
        SettingsState settings;
        settings.record = rig.store.record();
        settings.sensorType = rig.sync->sensorType();
        if (!SettingsVocabulary::Apply(settings, {{"dpi.2", high ? "800" : "1600"}}).empty()) {
            state.SkipWithError("dpi.2 refused");
            return;
        }
        const ConfigRecord onMouse = rig.store.record();
        rig.store.record() = settings.record;
        const auto result = rig.sync->ApplyChanges(onMouse);
        wallSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        toMouseSeconds += std::chrono::duration<double>(pauser.lastPauseEnd - start).count();
        if (!result.complete() || result.configSaved != ConfigStore::SaveResult::Saved)
            state.SkipWithError("the change did not reach the simulated mouse or the file");
    }
    const double prescribedSeconds = pauser.prescribedMs / 1000.0;
    state.counters["prescribed_ms"] = benchmark::Counter(pauser.prescribedMs / double(state.iterations()));
    state.counters["ratio"] = wallSeconds / prescribedSeconds;
    state.counters["ratio_to_mouse"] = toMouseSeconds / prescribedSeconds;
}
BENCHMARK(BM_SetOneValueSleeping)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(200);

void BM_ApplyRecorded(benchmark::State& state) {
    const bool memory = state.range(0) == 1;
    if (memory && !std::filesystem::is_directory("/dev/shm")) {
        state.SkipWithError("no /dev/shm");
        return;
    }
    RecordingPauser pauser;
    ApplyRig rig(pauser, memory ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path());
    for (auto _ : state) {
        pauser.clear();
        rig.sync->ApplyConfig();
    }
    state.counters["pauses_ms"] = pauser.totalMilliseconds();
}
BENCHMARK(BM_ApplyRecorded)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
