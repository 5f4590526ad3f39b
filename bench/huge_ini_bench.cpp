// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// str.ini and record.ini of 64 MB made of millions of tiny sections, as a hostile or broken file
// may be: reading, editing and saving them must stay well under a second and a few times the
// file's size in memory (peak_rss_mb is the process's peak, the file's own size included).
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>

#include "config/ini_settings.h"
#include "config/profile_ini.h"
#include "config/ui_texts.h"
#include "macro/macro_area.h"
#include "macro/macro_encoder.h"

namespace {

constexpr std::size_t kFileBytes = 64u * 1024 * 1024 - 4096;

// head, then "[sN]" sections of one key each until the file is nearly 64 MB; tail at the end.
std::string HugeIni(const std::string& head, const std::string& tail) {
    std::string text = head;
    text.reserve(kFileBytes + tail.size());
    for (std::size_t n = 0; text.size() + tail.size() + 16 < kFileBytes; ++n) {
        text += "[s" + std::to_string(n % 100000) + "]\r\n";
    }
    return text + tail;
}

std::filesystem::path Put(const std::string& name, const std::string& text) {
    const auto dir = std::filesystem::temp_directory_path() / ("vexo-bench-huge-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto path = dir / name;
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    return path;
}

void ReportPeak(benchmark::State& state, std::size_t fileBytes) {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_mb"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    state.counters["file_mb"] = static_cast<double>(fileBytes) / (1024.0 * 1024.0);
}

// What Apply does with str.ini: read the language and labels, then save the 24 labels; the
// language section is missing, so the first save appends it behind 5 million sections.
void BM_ApplyLabelsToHugeStrIni(benchmark::State& state) {
    const std::string original = HugeIni("[Skins]\r\nLan=EN\r\nPath=Black\r\n", "");
    const auto path = Put("str.ini", original);
    for (auto _ : state) {
        state.PauseTiming();
        std::ofstream(path, std::ios::binary | std::ios::trunc) << original;
        state.ResumeTiming();
        vexo::IniSettings settings;
        settings.m_strStrIniPath = path;
        settings.m_strSettingSection = vexo::SelectTexts(settings.ReadLanguage()).m_strSettingSection;
        settings.LoadIniSettings();
        settings.m_strButtonLabelA[0] = "Left Click";
        if (!settings.SaveButtonLabels())
            state.SkipWithError(settings.lastError().c_str());
    }
    ReportPeak(state, original.size());
    std::filesystem::remove_all(path.parent_path());
}
BENCHMARK(BM_ApplyLabelsToHugeStrIni)->Unit(benchmark::kMillisecond)->Iterations(3);

// What encode-macros does with record.ini: the section names, every macro encoded, and the count
// of sections for its warning.
void BM_EncodeHugeRecordIni(benchmark::State& state) {
    const std::string original =
        HugeIni("[m]\r\nMacroLoopTimes=3\r\nItemCount=3\r\nItem0=A   Dn\r\nItem1=50 ms\r\nItem2=A   Up\r\n", "");
    const auto path = Put("record.ini", original);
    std::array<std::uint8_t, vexo::kMacroAreaSize> area{};
    std::size_t sections = 0;
    for (auto _ : state) {
        const vexo::ProfileIni store(path);
        const auto result = vexo::EncodeMacroStore(store, area);
        sections = store.sectionCount();
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(area.data());
    }
    state.counters["sections"] = static_cast<double>(sections);
    ReportPeak(state, original.size());
    std::filesystem::remove_all(path.parent_path());
}
BENCHMARK(BM_EncodeHugeRecordIni)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
