// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <optional>
#include <memory>
#include <string>

#include "base/unique_fd.h"
#include "command_registry.h"
#include "device/device_session.h"
#include "platform/device_monitor.h"
#include "platform/hid_backend.h"
#include "platform/pauser.h"
#include "platform/prompter.h"
#include "sim/sim_mouse.h"

namespace vexo::cli {

// Throws UsageError when --trace names config.bin, str.ini or record.ini of the folder the command
// works on (by name, through a link or as a hard link): the trace would destroy it.
void RefuseTraceOverDataFiles(const CommandContext& context);

// The mouse a command talks to, as the global options choose it: the real one through hidraw and
// udev, or the simulated one (--simulate[=N]); with --trace FILE every exchange is written to FILE.
class DeviceEnvironment {
public:
    // When the trace file is opened (and emptied): at once, or only at startTrace(), for a command
    // that reads data files after it has started talking to the mouse. Lines wait in memory until
    // then; a command that ends before calling it has its trace written when the environment goes.
    enum class Trace { Now, Later };

    // Throws UsageError for a bad sensor type or a trace file that names config.bin, str.ini or
    // record.ini of the data folder, and std::runtime_error for a trace file that cannot be created.
    explicit DeviceEnvironment(CommandContext& context, Trace when = Trace::Now);
    ~DeviceEnvironment();

    // A session over the chosen mouse; the trace hook is installed. Once per environment.
    DeviceSession& session(DeviceNoticeListener& listener);
    // Hot-plug notices of the chosen platform (not started).
    std::unique_ptr<DeviceMonitor> makeMonitor();
    // Opens the trace file (with --trace) and writes the lines kept so far. Throws
    // std::runtime_error when it cannot be created. Does nothing the second time.
    void startTrace();

    bool simulated() const { return simMouse_ != nullptr; }
    // The simulated mouse, or nullptr.
    std::shared_ptr<SimMouse> simMouse() const { return simMouse_; }

private:
    void writeTrace(const std::string& text);

    CommandContext& context_;
    std::shared_ptr<SimMouse> simMouse_;
    std::unique_ptr<HidBackend> backend_;
    std::unique_ptr<Pauser> pauser_;
    std::unique_ptr<Prompter> prompter_;
    std::optional<std::string> tracePath_; // --trace FILE
    UniqueFd traceFd_;
    std::string pendingTrace_; // lines before the file is opened
    std::unique_ptr<DeviceSession> session_;
};

} // namespace vexo::cli
