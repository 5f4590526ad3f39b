// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "command_registry.h"
#include "config/file_locations.h"
#include "platform/prompter.h"

namespace vexo::cli {

// The common start of the macro commands: no arguments allowed, and record.ini must be a readable
// file. Returns the file locations (the folder of --data DIR, or the program's own rule), or nullopt after a message on context.err with exitStatus set
// (kExitUsage for an argument, kExitFailure for the file).
std::optional<FileLocations> PrepareMacroCommand(CommandContext& context, const std::vector<std::string>& args,
                                                 const std::string& command, int& exitStatus);

// Bytes as two-digit upper-case hex separated by single spaces.
std::string HexBytes(std::span<const std::uint8_t> bytes);

// For code whose message boxes only repeat what the command reports itself in plain words.
class SilentPrompter final : public Prompter {
public:
    void message(const std::string&, const std::string&) override {}
};

// Message boxes of the configuration code become "CAPTION: TEXT" lines on err.
class StreamPrompter final : public Prompter {
public:
    explicit StreamPrompter(std::ostream& err) : err_(err) {}
    void message(const std::string& text, const std::string& caption) override;

private:
    std::ostream& err_;
};

} // namespace vexo::cli
