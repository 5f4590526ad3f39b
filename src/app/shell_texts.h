#pragma once
#include <array>
#include <string>

namespace vexo {

// The texts the application shell shows itself (tray notices, the tray menu, the frame's buttons and
// page titles), in the language of the process, copied from the language's text table at start-up.
struct ShellTexts {
    std::string basicSettings, advancedSettings, colorSetting;
    std::string ok, apply, cancel;
    std::array<std::string, 4> reportRates;  // 1000, 500, 250, 125 Hz
    std::array<std::string, 8> dpiStages;    // stage 1 to 8, each followed by the stage's DPI value
    std::array<std::string, 4> keyGroups;    // key matrix 1 to 4
    std::string switchToMacro;
    std::string exit;
    std::string noMouse;
    std::string mouseFound;
};

} // namespace vexo
