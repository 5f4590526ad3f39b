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
//   --help, --version      print the help or the version and end
// Qt's standard options (-platform NAME, -style NAME, -reverse, ...) are passed on to Qt.
struct AppOptions {
    enum class Action { Run, Help, Version };

    // Status of a command line that cannot be used (EX_USAGE of sysexits.h).
    static constexpr int kExitUsage = 64;

    Action action = Action::Run;
    bool simulate = false;
    std::uint8_t sensorType = 3;
    bool simulateUnplugged = false;
    bool simulateNotices = false;
    bool show = false;
    bool advancedPage = false;
    std::string screenshot;
    bool quitAfterStart = false;

    // Parses args (without the program name). Qt's standard options, with their values, are
    // skipped (Qt takes them). An unknown option, a stray argument or a malformed value gives
    // nullopt and error tells why, in one line.
    static std::optional<AppOptions> parse(const std::vector<std::string>& args, std::string& error);

    // The text of --help: every option, a line each.
    static std::string helpText();
    // The text of --version.
    static std::string versionText();
    // The short usage lines printed on standard error after a usage error.
    static std::string usageText();
};

} // namespace vexo
