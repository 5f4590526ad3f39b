// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <memory>
#include <string>
#include <vector>

#include "command_registry.h"
#include "platform/linux/session_bus.h"

namespace vexo::cli {

// The running vexo window on the session bus, when a command should go through it rather than the
// files: it owns its name, works on the same data folder as this command, and the command asks for
// no mouse or trace of its own (--simulate, --trace). Then the window and a script never overwrite
// each other, and the window's page shows the change at once.
class WindowBus {
public:
    // The window to go through, or nullptr to work on the files as without one.
    static std::unique_ptr<WindowBus> Find(const CommandContext& context);

    // Calls a method of the window's settings interface and returns its reply.
    SessionBus::Reply call(const std::string& method, const std::vector<SessionBus::Argument>& arguments) const;

    // The status and messages of a failed call: InvalidSetting is a usage mistake (each line of the
    // message printed after prefix, then "nothing was changed", status 64); any other failure is
    // printed as is (status 1).
    static int Report(CommandContext& context, const SessionBus::Reply& reply, const std::string& prefix);

private:
    explicit WindowBus(std::unique_ptr<SessionBus> bus) : bus_(std::move(bus)) {}
    std::unique_ptr<SessionBus> bus_;
};

} // namespace vexo::cli
