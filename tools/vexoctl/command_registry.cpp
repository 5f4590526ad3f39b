// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "command_registry.h"

namespace vexo::cli {

std::optional<std::string> CommandContext::global(const std::string& option) const {
    const auto it = globals.find(option);
    if (it == globals.end())
        return std::nullopt;
    return it->second;
}

CommandRegistry& CommandRegistry::instance() {
    // Built on first use, so registrations from any file's static initialisers find it ready.
    static CommandRegistry registry;
    return registry;
}

void CommandRegistry::add(Command command) {
    const std::string name = command.name;
    commands_.insert_or_assign(name, std::move(command));
}

void CommandRegistry::addGlobalOption(GlobalOption option) { globalOptions_.push_back(std::move(option)); }

const Command* CommandRegistry::find(const std::string& name) const {
    const auto it = commands_.find(name);
    return it == commands_.end() ? nullptr : &it->second;
}

const GlobalOption* CommandRegistry::findGlobalOption(const std::string& name) const {
    for (const GlobalOption& option : globalOptions_)
        if (option.name == name)
            return &option;
    return nullptr;
}

std::vector<const Command*> CommandRegistry::commands() const {
    std::vector<const Command*> list;
    for (const auto& [name, command] : commands_)
        list.push_back(&command);
    return list;
}

} // namespace vexo::cli
