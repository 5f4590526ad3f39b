#include <iostream>
#include <string>
#include <vector>

#include "app/app_options.h"
#include "app/mouse_app.h"

int main(int argc, char** argv)
{
    // The command line is checked before Qt starts, so --help, --version and a usage error answer
    // without a display.
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    const std::optional<vexo::AppOptions> options = vexo::AppOptions::parse(args, error);
    if (!options) {
        std::cerr << "vexo: " << error << "\n" << vexo::AppOptions::usageText();
        return vexo::AppOptions::kExitUsage;
    }
    if (options->action == vexo::AppOptions::Action::Help) {
        std::cout << vexo::AppOptions::helpText();
        return std::cout.flush() ? 0 : 1;
    }
    if (options->action == vexo::AppOptions::Action::Version) {
        std::cout << vexo::AppOptions::versionText();
        return std::cout.flush() ? 0 : 1;
    }
    vexo::CMouseApp app(argc, argv);
    return app.run();
}
