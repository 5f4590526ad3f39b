#include "app/app_options.h"

#include <algorithm>
#include <array>
#include <string_view>

#ifndef VEXO_VERSION
#define VEXO_VERSION "unknown"
#endif

namespace vexo {

namespace {

// Qt's standard options (QGuiApplication, QApplication and the X11 platform), spelt with one dash;
// Qt accepts them with two as well.
constexpr std::array<std::string_view, 16> kQtOptionsWithValue{
    "-platform", "-platformpluginpath", "-platformtheme", "-plugin", "-qwindowgeometry", "-qwindowtitle",
    "-qwindowicon", "-session", "-style", "-stylesheet", "-display", "-geometry", "-title", "-icon", "-name",
    "-visual"};
constexpr std::array<std::string_view, 6> kQtFlags{"-reverse", "-widgetcount", "-nograb", "-dograb", "-sync",
                                                   "-testability"};

// Whether arg is one of Qt's options; takesNext tells whether its value is the next argument (it
// was not given as -name=value).
bool IsQtOption(const std::string& arg, bool& takesNext)
{
    std::string_view name(arg);
    if (name.rfind("--", 0) == 0)
        name.remove_prefix(1);
    const std::size_t eq = name.find('=');
    const std::string_view bare = name.substr(0, eq);
    if (std::find(kQtOptionsWithValue.begin(), kQtOptionsWithValue.end(), bare) != kQtOptionsWithValue.end()) {
        takesNext = eq == std::string_view::npos;
        return true;
    }
    takesNext = false;
    return eq == std::string_view::npos && std::find(kQtFlags.begin(), kQtFlags.end(), bare) != kQtFlags.end();
}

} // namespace

std::optional<AppOptions> AppOptions::parse(const std::vector<std::string>& args, std::string& error)
{
    AppOptions options;
    const std::string simulate = "--simulate";
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool takesNext = false;
        if (arg == "--help" || arg == "-h") {
            options.action = Action::Help;
        } else if (arg == "--version") {
            if (options.action != Action::Help)
                options.action = Action::Version;
        } else if (arg == simulate) {
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
        } else if (arg.rfind("--page", 0) == 0) {
            error = "--page takes basic or advanced, as --page=advanced";
            return std::nullopt;
        } else if (arg.rfind("--screenshot=", 0) == 0) {
            options.screenshot = arg.substr(std::string("--screenshot=").size());
            if (options.screenshot.empty()) {
                error = "--screenshot=FILE needs a file name";
                return std::nullopt;
            }
        } else if (arg == "--screenshot") {
            error = "--screenshot needs a file name, as --screenshot=FILE";
            return std::nullopt;
        } else if (arg == "--quit-after-start") {
            options.quitAfterStart = true;
        } else if (IsQtOption(arg, takesNext)) {
            // Qt has taken it already; only its value must not be read as an argument of ours.
            if (takesNext && ++i >= args.size()) {
                error = "option " + arg + " needs a value";
                return std::nullopt;
            }
        } else if (!arg.empty() && arg[0] == '-') {
            error = "unknown option '" + arg + "'";
            return std::nullopt;
        } else {
            error = "unexpected argument '" + arg + "'";
            return std::nullopt;
        }
    }
    return options;
}

std::string AppOptions::helpText()
{
    return "Usage: vexo [OPTION]...\n"
           "Configures the VEXO T58 gaming mouse (USB 04D9:A09F). The window starts hidden behind its\n"
           "notification-area icon; where there is none it is shown at once.\n"
           "\n"
           "Options:\n"
           "  --simulate[=N]         demo mode: a simulated mouse of sensor type N, 0-3 (default 3)\n"
           "  --simulate-unplugged   the simulated mouse starts unplugged (implies --simulate)\n"
           "  --simulate-notices     the simulated mouse now and then changes by itself (implies --simulate)\n"
           "  --show                 show the window at start, even with a notification area\n"
           "  --page=PAGE            the page shown first: basic (default) or advanced\n"
           "  --screenshot=FILE      draw the window, save it as a PNG picture to FILE, and end\n"
           "  --quit-after-start     end as soon as the start-up has finished\n"
           "  --help                 print this help and end\n"
           "  --version              print the version and end\n"
           "\n"
           "Qt's standard options are accepted too, such as -platform NAME, -style NAME and -reverse.\n"
           "\n"
           "Settings live in $XDG_CONFIG_HOME/vexo-t58 (default ~/.config/vexo-t58); the user's own skins\n"
           "in $XDG_DATA_HOME/vexo-t58/Skins. See vexo(1).\n";
}

std::string AppOptions::versionText()
{
    return std::string("vexo ") + VEXO_VERSION + "\n";
}

std::string AppOptions::usageText()
{
    return "Usage: vexo [OPTION]...\nTry 'vexo --help' for more information.\n";
}

} // namespace vexo
