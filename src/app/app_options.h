// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vexo {

// The command line of the utility. Without options it drives the real mouse with the user's files.
// Qt's own options (-platform and the like) are taken out by Qt before these are read.
struct AppOptions {
    bool simulate = false;
    std::uint8_t sensorType = 3;
    bool simulateUnplugged = false;
    bool simulateNotices = false;
    bool show = false;
    bool advancedPage = false;
    std::string screenshot;
    bool quitAfterStart = false;
    std::string dataDir; // config.bin, str.ini and record.ini in this folder instead of the usual place
    std::string traceFile; // every exchange with the mouse written to this file
    std::string startCostFile; // with quitAfterStart: what the start-up cost, written here at its end
    bool help = false;
    bool version = false;

    // Status of a run refused for its command line (EX_USAGE).
    static constexpr int kUsageStatus = 64;

    // Parses args (without the program name). An unknown option or a malformed value gives nullopt
    // and error tells why.
    static std::optional<AppOptions> parse(const std::vector<std::string>& args, std::string& error);
    // One line per option, for --help.
    static std::string helpText();
    // args without the options Qt takes for itself (-platform NAME, -display NAME, -style NAME,
    // -reverse ...), for reading the command line before Qt has seen it.
    static std::vector<std::string> withoutQtOptions(const std::vector<std::string>& args);
    // What a command line asks before any window exists: --help, --version or a usage error are
    // answered on standard output or error; returns the exit status then, nullopt to go on.
    static std::optional<int> answerEarly(const std::vector<std::string>& args);
};

} // namespace vexo
