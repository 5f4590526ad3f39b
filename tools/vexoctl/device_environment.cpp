#include "device_environment.h"

#include <iostream>
#include <stdexcept>

#include "platform/linux/linux_platform.h"
#include "platform/linux/sleep_pauser.h"
#include "sim/recording_pauser.h"
#include "sim/sim_device_monitor.h"
#include "sim/sim_hid_backend.h"

namespace vexo::cli {
namespace {

const GlobalOptionRegistration simulateOption(
    {"--simulate", "N", true, "use the simulated mouse with sensor type N (0-3, default 3)"});
const GlobalOptionRegistration traceOption({"--trace", "FILE", false, "write every exchange with the mouse to FILE"});

// Message boxes of the device link become lines on standard error.
class ConsolePrompter final : public Prompter {
public:
    void message(const std::string& text, const std::string& caption) override {
        std::string line = text;
        while (!line.empty() && line.back() == '\n') line.pop_back();
        std::cerr << caption << ": " << line << "\n";
    }
};

std::uint8_t sensorTypeOf(const std::string& value) {
    if (value.empty()) return 3;
    if (value.size() == 1 && value[0] >= '0' && value[0] <= '3') return static_cast<std::uint8_t>(value[0] - '0');
    throw UsageError("--simulate takes a sensor type from 0 to 3, not '" + value + "'");
}

} // namespace

DeviceEnvironment::DeviceEnvironment(const CommandContext& context) : prompter_(std::make_unique<ConsolePrompter>()) {
    if (const auto simulate = context.global("--simulate")) {
        simMouse_ = std::make_shared<SimMouse>(sensorTypeOf(*simulate));
        // The simulated mouse keeps its own record of the wire; a long watch should not grow it.
        simMouse_->setRecording(false);
        backend_ = std::make_unique<SimHidBackend>(simMouse_);
        // Pauses are protocol timing for a real mouse; the simulated one needs none.
        pauser_ = std::make_unique<RecordingPauser>();
    } else {
        backend_ = makeHidBackend();
        pauser_ = std::make_unique<SleepPauser>();
    }
    if (const auto trace = context.global("--trace")) {
        trace_.open(*trace, std::ios::out | std::ios::trunc);
        if (!trace_) throw std::runtime_error("cannot write the trace file '" + *trace + "'");
        tracing_ = true;
    }
}

DeviceEnvironment::~DeviceEnvironment() {
    if (session_) session_->shutdown();
}

DeviceSession& DeviceEnvironment::session(DeviceNoticeListener& listener) {
    if (session_) throw std::logic_error("one session per environment");
    session_ = std::make_unique<DeviceSession>(*backend_, *pauser_, *prompter_, listener, "VEXO T58");
    if (tracing_)
        session_->transport().setTraceHook([this](const std::string& line) { trace_ << line << '\n' << std::flush; });
    return *session_;
}

std::unique_ptr<DeviceMonitor> DeviceEnvironment::makeMonitor() {
    if (simMouse_) return std::make_unique<SimDeviceMonitor>(simMouse_);
    return makeDeviceMonitor();
}

} // namespace vexo::cli
