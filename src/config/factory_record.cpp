// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "config/factory_record.h"

#include <array>
#include <cstddef>
#include <cstdint>

#include "config/key_entry.h"

namespace vexo {

ConfigRecord FactoryRecord() {
    ConfigRecord r;
    RestoreKeyDefaults(r);
    r.setReportRate(1); // 1000 Hz

    // Rows 1, 3, 5, 7 are 500, 1000, 1500, 2000 DPI on sensor types 0 and 1 (250, 500, 750, 1000 on
    // type 2; 500, 1000, 1600, 2000 on type 3); the stages that are off continue the list.
    constexpr std::array<std::uint8_t, 8> kRows{1, 3, 5, 7, 8, 9, 10, 11};
    constexpr std::array<Rgb, 8> kColours{{{255, 0, 0},
                                           {0, 255, 0},
                                           {0, 0, 255},
                                           {255, 255, 0},
                                           {255, 0, 255},
                                           {0, 255, 255},
                                           {255, 255, 255},
                                           {255, 128, 0}}};
    for (std::size_t stage = 0; stage < 8; ++stage) {
        r.dpiValues()[stage] = kRows[stage];
        r.dpiEnabled()[stage] = stage < 4 ? 1 : 0;
        r.setDpiColour(stage, kColours[stage]);
        r.setLoopColour(stage, kColours[stage]);
    }

    r.setLightingMode(lighting_mode::Standard);
    r.setLightingParameter1(1, 9); // brightness 100 %
    r.setLightingParameter1(2, 2); // respiration cycle 6 s
    r.setLightingParameter1(3, 5); // neon cycle 3 s
    r.setLightingParameter2(1, 1); // RGB effect
    r.setLightingParameter2(2, 1);
    r.setLightingParameter2(3, 2); // RGB flash

    r.setDesktop({0, 0, 6, 3, 6});
    r.setModeSelector(0);
    return r;
}

} // namespace vexo
