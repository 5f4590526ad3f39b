// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vexo::cli {

// Exit statuses of vexoctl.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitNoMouse = 2;
inline constexpr int kExitUsage = 64;

// Thrown by a command for a usage mistake; main() prints the message and exits with kExitUsage.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// What every command gets: the global options as given and the streams to write to.
struct CommandContext {
    // Global options by name ("--simulate", "--trace", ...). A flag without value maps to "".
    std::map<std::string, std::string> globals;
    std::ostream& out;
    std::ostream& err;
    // Set when writing the trace file failed (the reason); main() then ends with a failure.
    std::string traceFailure;

    bool has(const std::string& option) const { return globals.count(option) != 0; }
    std::optional<std::string> global(const std::string& option) const;
};

// One subcommand: "vexoctl [global options] NAME [its arguments]".
struct Command {
    std::string name;
    // One line for the tool's --help.
    std::string summary;
    // The full text of "vexoctl NAME --help" (usage line, options).
    std::string help;
    // Runs the command with the arguments after its name ("--help" is handled before). Returns the
    // exit status; unknown arguments should print a message to err and return kExitUsage.
    std::function<int(CommandContext&, const std::vector<std::string>& args)> run;
    // The command's arguments as the tool's --help lists them ("[--json] [--sensor N]").
    std::string arguments;
};

// A global option that comes before the command name.
struct GlobalOption {
    std::string name; // "--trace"
    std::string valueName; // "FILE"; empty for a flag
    bool valueOptional = false; // "--simulate[=N]": the value, when given, follows '='
    std::string help;
};

// Every command and global option of the tool. Each command lives in a file of its own and registers
// itself with a static CommandRegistration (see README.md in this folder).
class CommandRegistry {
public:
    static CommandRegistry& instance();

    void add(Command command);
    void addGlobalOption(GlobalOption option);
    const Command* find(const std::string& name) const;
    const GlobalOption* findGlobalOption(const std::string& name) const;
    // Sorted by name.
    std::vector<const Command*> commands() const;
    const std::vector<GlobalOption>& globalOptions() const { return globalOptions_; }

private:
    std::map<std::string, Command> commands_;
    std::vector<GlobalOption> globalOptions_;
};

struct CommandRegistration {
    explicit CommandRegistration(Command command) { CommandRegistry::instance().add(std::move(command)); }
};

struct GlobalOptionRegistration {
    explicit GlobalOptionRegistration(GlobalOption option) {
        CommandRegistry::instance().addGlobalOption(std::move(option));
    }
};

} // namespace vexo::cli
