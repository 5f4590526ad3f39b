// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "macro_files.h"

#include "config/profile_ini.h"
#include "text_escape.h"

#include <fstream>
#include <ostream>
#include <system_error>

namespace vexo::cli {
namespace {

const GlobalOptionRegistration dataOption({"--data", "DIR", false, "folder of config.bin, str.ini and record.ini"});

// Where the files are: the folder of --data DIR, or the program's own rule (an installed
// program's user folder is filled on first use).
std::optional<FileLocations> MacroDataLocations(const CommandContext& context, const std::string& command) {
    if (const auto dir = context.global("--data"))
        return FileLocations::inFolder(*dir);
    FileLocations where = FileLocations::detect();
    std::string error;
    if (!where.prepare(error)) {
        context.err << "vexoctl " << command << ": " << error << "\n";
        return std::nullopt;
    }
    return where;
}

bool CheckMacroStoreReadable(const std::filesystem::path& recordIni, const std::string& command, std::ostream& err) {
    std::error_code ec;
    const auto status = std::filesystem::status(recordIni, ec);
    if (!std::filesystem::exists(status)) {
        err << "vexoctl " << command << ": there is no macro store " << recordIni << "\n";
        return false;
    }
    if (!std::filesystem::is_regular_file(status)) {
        err << "vexoctl " << command << ": " << recordIni << " is not a regular file\n";
        return false;
    }
    // The store reads an unreadable file as empty; here that would look like a store without macros.
    if (!std::ifstream(recordIni, std::ios::binary)) {
        err << "vexoctl " << command << ": cannot read " << recordIni << "\n";
        return false;
    }
    // Nor may a file in an encoding the store cannot read pass for one without macros.
    if (const std::string problem = ProfileIni(recordIni).problem(); !problem.empty()) {
        err << "vexoctl " << command << ": " << PrintableText(problem) << "\n";
        return false;
    }
    return true;
}

} // namespace

std::optional<FileLocations> PrepareMacroCommand(CommandContext& context, const std::vector<std::string>& args,
                                                 const std::string& command, int& exitStatus) {
    if (!args.empty()) {
        context.err << "vexoctl " << command << ": unexpected argument '" << args.front() << "' (see vexoctl "
                    << command << " --help)\n";
        exitStatus = kExitUsage;
        return std::nullopt;
    }
    std::optional<FileLocations> locations = MacroDataLocations(context, command);
    if (!locations || !CheckMacroStoreReadable(locations->recordIni(), command, context.err)) {
        exitStatus = kExitFailure;
        return std::nullopt;
    }
    return locations;
}

std::string HexBytes(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 3);
    for (const std::uint8_t b : bytes) {
        if (!text.empty())
            text += ' ';
        text += kDigits[b >> 4];
        text += kDigits[b & 0x0F];
    }
    return text;
}

void StreamPrompter::message(const std::string& text, const std::string& caption) {
    std::string line = text;
    while (!line.empty() && (line.back() == '\n' || line.back() == ' '))
        line.pop_back();
    err_ << caption << ": " << line << "\n";
}

} // namespace vexo::cli
