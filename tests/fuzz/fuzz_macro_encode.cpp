// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// Feeds arbitrary record.ini content to the macro encoder. The encoder must never write outside
// the blocks of the sections it lists: the bytes before and after the area, and every block past
// the encoded ones, keep their marker.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "config/profile_ini.h"
#include "macro/macro_area.h"
#include "macro/macro_encoder.h"
#include "macro/macro_store.h"

namespace {

constexpr std::size_t kGuard = 256;
constexpr std::uint8_t kMarker = 0x5A;

const std::filesystem::path& StorePath() {
    static const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("vexo-fuzz-record-" + std::to_string(::getpid()) + ".ini");
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        std::ofstream out(StorePath(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    std::array<std::uint8_t, kGuard + vexo::kMacroAreaSize + kGuard> bytes;
    bytes.fill(kMarker);
    const vexo::MacroArea area(bytes.data() + kGuard, vexo::kMacroAreaSize);

    const vexo::ProfileIni store(StorePath());
    const vexo::MacroEncodeResult result = vexo::EncodeMacroStore(store, area);

    const std::size_t listed = vexo::ReadMacroSectionNames(store).size();
    if (!result.storeFound || result.slotsEncoded > vexo::kMacroSlotCount ||
        result.slotsEncoded != std::min(listed, vexo::kMacroSlotCount)) {
        std::abort();
    }
    const std::size_t firstUntouched = kGuard + result.slotsEncoded * vexo::kMacroBlockSize;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if ((i < kGuard || i >= firstUntouched) && bytes[i] != kMarker)
            std::abort();
    }
    return 0;
}
