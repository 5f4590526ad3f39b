// vexoctl: the device link from the command line, without the window.
#include <iostream>
#include <string>
#include <vector>

#include "command_registry.h"

using namespace vexo::cli;

namespace {

void printUsage(std::ostream& os) {
    os << "Usage: vexoctl [global options] COMMAND [arguments]\n"
          "       vexoctl COMMAND --help\n\n"
          "Talks to the VEXO T58 mouse (USB 04D9:A09F) without the window.\n\nCommands:\n";
    for (const Command* command : CommandRegistry::instance().commands())
        os << "  " << command->name << std::string(command->name.size() < 14 ? 14 - command->name.size() : 1, ' ')
           << command->summary << "\n";
    os << "\nGlobal options:\n";
    for (const GlobalOption& option : CommandRegistry::instance().globalOptions()) {
        std::string spelled = option.name;
        if (!option.valueName.empty())
            spelled += option.valueOptional ? "[=" + option.valueName + "]" : " " + option.valueName;
        os << "  " << spelled << std::string(spelled.size() < 18 ? 18 - spelled.size() : 1, ' ') << option.help << "\n";
    }
    os << "  --help            this text\n";
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    CommandContext context{{}, std::cout, std::cerr};
    const CommandRegistry& registry = CommandRegistry::instance();

    std::size_t i = 0;
    for (; i < args.size() && args[i].rfind("-", 0) == 0; ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            printUsage(std::cout);
            return kExitOk;
        }
        const std::size_t eq = arg.find('=');
        const std::string name = arg.substr(0, eq);
        const GlobalOption* option = registry.findGlobalOption(name);
        if (option == nullptr) {
            std::cerr << "vexoctl: unknown option '" << arg << "' (see vexoctl --help)\n";
            return kExitUsage;
        }
        if (option->valueName.empty()) {
            if (eq != std::string::npos) {
                std::cerr << "vexoctl: option " << name << " takes no value\n";
                return kExitUsage;
            }
            context.globals[name] = "";
        } else if (eq != std::string::npos) {
            context.globals[name] = arg.substr(eq + 1);
        } else if (option->valueOptional) {
            context.globals[name] = "";
        } else if (i + 1 < args.size()) {
            context.globals[name] = args[++i];
        } else {
            std::cerr << "vexoctl: option " << name << " needs " << option->valueName << "\n";
            return kExitUsage;
        }
    }
    if (i == args.size()) {
        printUsage(std::cerr);
        return kExitUsage;
    }
    const Command* command = registry.find(args[i]);
    if (command == nullptr) {
        std::cerr << "vexoctl: unknown command '" << args[i] << "' (see vexoctl --help)\n";
        return kExitUsage;
    }
    const std::vector<std::string> rest(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
    for (const std::string& arg : rest) {
        if (arg == "--help" || arg == "-h") {
            std::cout << command->help;
            return kExitOk;
        }
    }
    try {
        return command->run(context, rest);
    } catch (const UsageError& e) {
        std::cerr << "vexoctl " << command->name << ": " << e.what() << "\n";
        return kExitUsage;
    } catch (const std::exception& e) {
        std::cerr << "vexoctl " << command->name << ": " << e.what() << "\n";
        return kExitFailure;
    }
}
