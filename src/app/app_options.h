#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vexo {

// The command line of the utility. Without options it drives the real mouse.
//   --simulate[=N]         run against the simulated mouse; N is its sensor type 0-3 (default 3)
//   --simulate-unplugged   the simulated mouse starts unplugged (implies --simulate)
//   --simulate-notices     the simulated mouse now and then switches its report rate, DPI stage
//                          or key group by itself, and is unplugged and plugged again (implies --simulate)
//   --show                 show the window at start even where a notification area exists
//   --page=advanced        with --show or --screenshot: show the advanced page
//   --screenshot=FILE      start, draw the window, save it as a PNG picture to FILE and end
//   --quit-after-start     end as soon as the start-up has finished (start-up benchmark)
struct AppOptions {
    bool simulate = false;
    std::uint8_t sensorType = 3;
    bool simulateUnplugged = false;
    bool simulateNotices = false;
    bool show = false;
    bool advancedPage = false;
    std::string screenshot;
    bool quitAfterStart = false;

    // Parses args (without the program name). Unknown options (Qt's own, such as -platform) are
    // left to Qt; a malformed value of ours gives nullopt and error tells why.
    static std::optional<AppOptions> parse(const std::vector<std::string>& args, std::string& error);
};

} // namespace vexo
