// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "app/app_options.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <algorithm>
#include <array>
#include <filesystem>

#include "base/write_all.h"

namespace vexo {

namespace {
struct OptionHelp {
    const char* usage;
    const char* text;
};

constexpr std::array<OptionHelp, 13> kOptions{{
    {"--simulate[=N]", "use the simulated mouse (demo mode); N is its sensor type 0-3 (default 3)"},
    {"--simulate-unplugged", "the simulated mouse starts unplugged (implies --simulate)"},
    {"--simulate-notices", "the simulated mouse now and then changes state by itself (implies --simulate)"},
    {"--show", "show the window at start even where a notification area exists"},
    {"--page=basic|advanced", "the page shown first"},
    {"--data DIR", "use config.bin, str.ini and record.ini in DIR (skins as usual)"},
    {"--trace FILE",
     "write every exchange with the mouse to FILE (SET/GET/OUT/IN/PAUSE lines, and the NOTICE lines shown)"},
    {"--screenshot=FILE", "start, save the window as a PNG picture to FILE and end"},
    {"--quit-after-start", "end as soon as the start-up has finished (behind the icon: once it is placed)"},
    {"--start-cost FILE",
     "with --quit-after-start: write the clock, CPU time and peak memory at that moment to FILE (a new file)"},
    {"--help", "show this help and end"},
    {"--version", "show the version and end"},
    {"-platform NAME", "(Qt) the window system plugin, for example offscreen or xcb"},
}};

// "--name VALUE" or "--name=VALUE": the value, advancing i past it; nullopt when arg is not name.
std::optional<std::string> ValueOf(const std::vector<std::string>& args, std::size_t& i, const std::string& name,
                                   std::string& error, bool& failed) {
    const std::string& arg = args[i];
    if (arg.rfind(name + "=", 0) == 0)
        return arg.substr(name.size() + 1);
    if (arg != name)
        return std::nullopt;
    if (i + 1 >= args.size()) {
        error = name + " needs a value";
        failed = true;
        return std::nullopt;
    }
    return args[++i];
}
} // namespace

std::vector<std::string> AppOptions::withoutQtOptions(const std::vector<std::string>& args) {
    // Qt's options for every application, and those of the X11 platform, with a value or without.
    static const std::array<const char*, 17> kWithValue{"-platform",
                                                        "-platformpluginpath",
                                                        "-platformtheme",
                                                        "-plugin",
                                                        "-qwindowgeometry",
                                                        "-qwindowicon",
                                                        "-qwindowtitle",
                                                        "-display",
                                                        "-geometry",
                                                        "-style",
                                                        "-stylesheet",
                                                        "-session",
                                                        "-name",
                                                        "-title",
                                                        "-visual",
                                                        "-qmljsdebugger",
                                                        "-fontengine"};
    static const std::array<const char*, 6> kAlone{"-reverse", "-widgetcount", "-sync",
                                                   "-nograb",  "-dograb",      "-graphicssystem"};
    std::vector<std::string> left;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        // Qt also takes them with two dashes and as -name=value.
        if (name.rfind("--", 0) == 0)
            name.erase(0, 1);
        const std::size_t equals = name.find('=');
        const std::string bare = name.substr(0, equals);
        const auto is = [&bare](const char* option) { return bare == option; };
        if (std::any_of(kWithValue.begin(), kWithValue.end(), is)) {
            if (equals == std::string::npos)
                ++i;
            continue;
        }
        if (std::any_of(kAlone.begin(), kAlone.end(), is))
            continue;
        left.push_back(args[i]);
    }
    return left;
}

std::optional<int> AppOptions::answerEarly(const std::vector<std::string>& args) {
    std::string error;
    const std::optional<AppOptions> options = parse(withoutQtOptions(args), error);
    if (!options) {
        WriteToStderr("vexo: " + error + "\nTry 'vexo --help' for the options.\n");
        return kUsageStatus;
    }
    if (std::error_code ec; !options->dataDir.empty() && !std::filesystem::is_directory(options->dataDir, ec)) {
        WriteToStderr("vexo: --data: " + options->dataDir + " is not a folder\n");
        return kUsageStatus;
    }
    if (options->help || options->version) {
        // Written straight to the descriptor: stdio would not keep the reason of a failed write.
        const std::string text = options->help ? helpText() : "vexo " + std::string(VEXO_VERSION) + "\n";
        if (const int failed = WriteAll(STDOUT_FILENO, text)) {
            WriteToStderr("vexo: cannot write the output: " + std::string(std::strerror(failed)) + "\n");
            return 1;
        }
        return 0;
    }
    return std::nullopt;
}

std::string AppOptions::helpText() {
    std::string text =
        "Usage: vexo [OPTION]...\nThe configuration utility of the VEXO T58 gaming mouse. It lives in the "
        "notification area;\nwithout one, its window is shown at start.\n\n";
    for (const OptionHelp& option : kOptions) {
        std::string usage = option.usage;
        usage.resize(std::max<std::size_t>(usage.size() + 2, 24), ' ');
        text += "  " + usage + option.text + "\n";
    }
    return text;
}

std::optional<AppOptions> AppOptions::parse(const std::vector<std::string>& args, std::string& error) {
    AppOptions options;
    const std::string simulate = "--simulate";
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool failed = false;
        if (arg == simulate) {
            options.simulate = true;
        } else if (arg.rfind(simulate + "=", 0) == 0) {
            const std::string value = arg.substr(simulate.size() + 1);
            if (value.size() != 1 || value[0] < '0' || value[0] > '3') {
                error = "--simulate=N takes a sensor type from 0 to 3, not \"" + value + "\"";
                return std::nullopt;
            }
            options.simulate = true;
            options.sensorType = static_cast<std::uint8_t>(value[0] - '0');
        } else if (arg == "--simulate-unplugged") {
            options.simulate = options.simulateUnplugged = true;
        } else if (arg == "--simulate-notices") {
            options.simulate = options.simulateNotices = true;
        } else if (arg == "--show") {
            options.show = true;
        } else if (arg == "--page=advanced") {
            options.advancedPage = true;
        } else if (arg == "--page=basic") {
            options.advancedPage = false;
        } else if (arg.rfind("--screenshot=", 0) == 0) {
            options.screenshot = arg.substr(std::string("--screenshot=").size());
            if (options.screenshot.empty()) {
                error = "--screenshot=FILE needs a file name";
                return std::nullopt;
            }
        } else if (arg == "--quit-after-start") {
            options.quitAfterStart = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (auto dir = ValueOf(args, i, "--data", error, failed)) {
            if (dir->empty()) {
                error = "--data needs a folder";
                return std::nullopt;
            }
            options.dataDir = *dir;
        } else if (auto trace = ValueOf(args, i, "--trace", error, failed)) {
            if (trace->empty()) {
                error = "--trace needs a file name";
                return std::nullopt;
            }
            options.traceFile = *trace;
        } else if (auto cost = ValueOf(args, i, "--start-cost", error, failed)) {
            if (cost->empty()) {
                error = "--start-cost needs a file name";
                return std::nullopt;
            }
            options.startCostFile = *cost;
        } else if (failed) {
            return std::nullopt;
        } else {
            error = "unknown option \"" + arg + "\"";
            return std::nullopt;
        }
    }
    if (!options.startCostFile.empty() && !options.quitAfterStart) {
        // Without an end of the start-up there is no moment to measure.
        error = "--start-cost needs --quit-after-start";
        return std::nullopt;
    }
    return options;
}

} // namespace vexo
