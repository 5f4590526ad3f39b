#pragma once
#include <fstream>
#include <memory>
#include <string>

#include "command_registry.h"
#include "device/device_session.h"
#include "platform/device_monitor.h"
#include "platform/hid_backend.h"
#include "platform/pauser.h"
#include "platform/prompter.h"
#include "sim/sim_mouse.h"

namespace vexo::cli {

// The mouse a command talks to, as the global options choose it: the real one through hidapi and
// udev, or the simulated one (--simulate[=N]); with --trace FILE every exchange is written to FILE.
class DeviceEnvironment {
public:
    // Throws UsageError for a bad sensor type and std::runtime_error for a trace file that cannot be
    // created.
    explicit DeviceEnvironment(const CommandContext& context);
    ~DeviceEnvironment();

    // A session over the chosen mouse; the trace hook is installed. Once per environment.
    DeviceSession& session(DeviceNoticeListener& listener);
    // Hot-plug notices of the chosen platform (not started).
    std::unique_ptr<DeviceMonitor> makeMonitor();

    bool simulated() const { return simMouse_ != nullptr; }
    // The simulated mouse, or nullptr.
    std::shared_ptr<SimMouse> simMouse() const { return simMouse_; }

private:
    std::shared_ptr<SimMouse> simMouse_;
    std::unique_ptr<HidBackend> backend_;
    std::unique_ptr<Pauser> pauser_;
    std::unique_ptr<Prompter> prompter_;
    std::ofstream trace_;
    bool tracing_ = false;
    std::unique_ptr<DeviceSession> session_;
};

} // namespace vexo::cli
