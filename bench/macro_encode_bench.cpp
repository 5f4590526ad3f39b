// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// EncodeMacroStore for a full store: ten macros of 63 events each (125 lines), read from disk
// every time as the editor does after each save.
#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "config/profile_ini.h"
#include "macro/macro_area.h"
#include "macro/macro_encoder.h"

namespace {

std::filesystem::path WriteFullStore() {
    const auto path =
        std::filesystem::temp_directory_path() / ("vexo-bench-record-" + std::to_string(::getpid()) + ".ini");
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (int slot = 0; slot < 10; ++slot) {
        out << "[Macro " << slot + 1 << "]\r\nMacroLoopTimes=" << slot + 1 << "\r\nItemCount=125\r\n";
        int item = 0;
        for (int event = 0; event < 63; ++event) {
            const char* key = (event / 2) % 2 == 0 ? "Num Enter" : "Right Ctrl";
            out << "Item" << item++ << "=" << key << (event % 2 == 0 ? "   Dn" : "   Up") << "\r\n";
            if (event < 62)
                out << "Item" << item++ << "=" << 10 + event << " ms\r\n";
        }
    }
    return path;
}

void BM_EncodeFullMacroStore(benchmark::State& state) {
    const std::filesystem::path path = WriteFullStore();
    std::array<std::uint8_t, vexo::kMacroAreaSize> area{};
    for (auto _ : state) {
        // A fresh ProfileIni each time: the file is opened and parsed again, as in the program.
        const vexo::ProfileIni store(path);
        const auto result = vexo::EncodeMacroStore(store, area);
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(area.data());
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_EncodeFullMacroStore)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
