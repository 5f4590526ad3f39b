#include "app/app_options.h"

namespace vexo {

std::optional<AppOptions> AppOptions::parse(const std::vector<std::string>& args, std::string& error)
{
    AppOptions options;
    const std::string simulate = "--simulate";
    for (const std::string& arg : args) {
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
        }
    }
    return options;
}

} // namespace vexo
