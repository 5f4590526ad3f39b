// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// vexoctl: the device link from the command line, without the window.
#include <unistd.h>

#include <array>
#include <cerrno>
#include <streambuf>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "command_registry.h"
#include "text_escape.h"
#include "device_environment.h"

using namespace vexo::cli;

namespace {

// Every command and option, one line each.
void printUsage(std::ostream& os) {
    os << "Usage: vexoctl [global options] COMMAND [arguments]\n"
          "       vexoctl COMMAND --help\n\n"
          "Talks to the VEXO T58 mouse (USB 04D9:A09F) without the window.\n\nCommands:\n";
    const auto column = [](const std::string& text, std::size_t width) {
        return text + std::string(text.size() < width ? width - text.size() : 1, ' ');
    };
    for (const Command* command : CommandRegistry::instance().commands()) {
        const std::string spelled = command->name + (command->arguments.empty() ? "" : " " + command->arguments);
        os << "  " << column(spelled, 30) << command->summary << "\n";
    }
    os << "\nGlobal options:\n";
    for (const GlobalOption& option : CommandRegistry::instance().globalOptions()) {
        std::string spelled = option.name;
        if (!option.valueName.empty())
            spelled += option.valueOptional ? "[=" + option.valueName + "]" : " " + option.valueName;
        os << "  " << column(spelled, 30) << option.help << "\n";
    }
    os << "  " << column("--help, -h", 30) << "this text\n"
       << "  " << column("--version", 30) << "the program's version\n";
}

// A usage mistake before the command: the reason, then the usage, on standard error.
int usageError(const std::string& message) {
    std::cerr << "vexoctl: " << message << "\n\n";
    printUsage(std::cerr);
    return kExitUsage;
}

// Standard output written straight to its descriptor, keeping the reason of the first failed write
// (a full disk, a closed pipe), which stdio would forget by the time the program ends.
class OutputBuffer final : public std::streambuf {
public:
    OutputBuffer() { setp(buffer_.data(), buffer_.data() + buffer_.size()); }
    int error() const { return error_; }

protected:
    int_type overflow(int_type c) override {
        if (!drain())
            return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return drain() ? 0 : -1; }

private:
    bool drain() {
        const char* data = pbase();
        std::size_t left = static_cast<std::size_t>(pptr() - pbase());
        while (left > 0 && error_ == 0) {
            const ssize_t n = ::write(STDOUT_FILENO, data, left);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                error_ = n < 0 ? errno : EIO;
            else
                data += n, left -= static_cast<std::size_t>(n);
        }
        setp(buffer_.data(), buffer_.data() + buffer_.size());
        return error_ == 0;
    }
    std::array<char, 8192> buffer_{};
    int error_ = 0;
};

// What could not be written to standard output or the trace is a failure, not a success.
int finish(int status, const CommandContext& context, OutputBuffer& output) {
    std::cout.flush();
    if (output.error() != 0) {
        std::cerr << "vexoctl: cannot write the output: " << std::strerror(output.error()) << "\n";
        if (status == kExitOk)
            status = kExitFailure;
    }
    if (!context.traceFailure.empty()) {
        std::cerr << "vexoctl: " << context.traceFailure << "\n";
        if (status == kExitOk)
            status = kExitFailure;
    }
    return status;
}

int run(const std::vector<std::string>& args, CommandContext& context) {
    const CommandRegistry& registry = CommandRegistry::instance();
    // The last option that takes a value only after '=' and was given without one.
    std::string bareOptional;

    std::size_t i = 0;
    for (; i < args.size() && args[i].rfind("-", 0) == 0; ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            printUsage(std::cout);
            return kExitOk;
        }
        if (arg == "--version") {
            std::cout << "vexoctl " << VEXO_VERSION << "\n";
            return kExitOk;
        }
        const std::size_t eq = arg.find('=');
        const std::string name = arg.substr(0, eq);
        const GlobalOption* option = registry.findGlobalOption(name);
        if (option == nullptr)
            return usageError("unknown option '" + arg + "'");
        bareOptional.clear();
        if (option->valueName.empty()) {
            if (eq != std::string::npos)
                return usageError("option " + name + " takes no value");
            context.globals[name] = "";
            continue;
        }
        std::string value;
        if (eq != std::string::npos) {
            value = arg.substr(eq + 1);
            // "--simulate=" is a value left out, not the default: the window refuses it too.
            if (value.empty() && option->valueOptional)
                return usageError("option " + name + "=" + option->valueName + " needs " + option->valueName +
                                  " after '='");
        } else if (option->valueOptional) {
            context.globals[name] = "";
            bareOptional = name;
            continue;
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            return usageError("option " + name + " needs " + option->valueName);
        }
        // An empty folder or file name would quietly mean the current folder or nothing at all.
        if (value.empty() && !option->valueOptional)
            return usageError("option " + name + " needs " + option->valueName + ", not an empty text");
        context.globals[name] = value;
    }
    if (i == args.size())
        return usageError("no command given");
    const Command* command = registry.find(args[i]);
    if (command == nullptr) {
        if (!bareOptional.empty())
            return usageError("unknown command '" + args[i] + "'; a value of " + bareOptional + " is written " +
                              bareOptional + "=" + args[i]);
        return usageError("unknown command '" + args[i] + "'");
    }
    const std::vector<std::string> rest(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
    for (const std::string& arg : rest) {
        if (arg == "--help" || arg == "-h") {
            std::cout << command->help;
            return kExitOk;
        }
    }
    try {
        RefuseTraceOverDataFiles(context);
        return command->run(context, rest);
    } catch (const UsageError& e) {
        std::cerr << "vexoctl " << command->name << ": " << PrintableText(e.what()) << "\n"
                  << "Usage: vexoctl [global options] " << command->name
                  << (command->arguments.empty() ? "" : " " + command->arguments) << "\n";
        return kExitUsage;
    } catch (const std::exception& e) {
        std::cerr << "vexoctl " << command->name << ": " << PrintableText(e.what()) << "\n";
        return kExitFailure;
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    OutputBuffer output;
    std::streambuf* const original = std::cout.rdbuf(&output);
    CommandContext context{{}, std::cout, std::cerr, {}};
    const int status = finish(run(args, context), context, output);
    std::cout.rdbuf(original);
    return status;
}
