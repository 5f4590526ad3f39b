// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "device_environment.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <stdexcept>

#include "config/file_locations.h"
#include "config/trace_target.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/sleep_pauser.h"
#include "sim/recording_pauser.h"
#include "sim/sim_device_monitor.h"
#include "sim/sim_hid_backend.h"

namespace vexo::cli {
namespace {

const GlobalOptionRegistration simulateOption({"--simulate", "N", true,
                                               "use the simulated mouse with sensor type N (0-3, default 3)"});
const GlobalOptionRegistration traceOption({"--trace", "FILE", false, "write every exchange with the mouse to FILE"});

// Message boxes of the device link become lines on standard error.
class ConsolePrompter final : public Prompter {
public:
    void message(const std::string& text, const std::string& caption) override {
        std::string line = text;
        while (!line.empty() && line.back() == '\n')
            line.pop_back();
        std::cerr << caption << ": " << line << "\n";
    }
};

// The data files (config.bin, str.ini and record.ini) of the folder the command works on.
std::vector<std::filesystem::path> DataFilesOf(const CommandContext& context) {
    const auto dir = context.global("--data");
    const FileLocations locations = dir ? FileLocations::inFolder(*dir) : FileLocations::detect();
    return {locations.configBin(), locations.strIni(), locations.recordIni()};
}

std::uint8_t sensorTypeOf(const std::string& value) {
    if (value.empty())
        return 3;
    if (value.size() == 1 && value[0] >= '0' && value[0] <= '3')
        return static_cast<std::uint8_t>(value[0] - '0');
    throw UsageError("--simulate takes a sensor type from 0 to 3, not '" + value + "'");
}

} // namespace

void RefuseTraceOverDataFiles(const CommandContext& context) {
    const auto trace = context.global("--trace");
    if (!trace)
        return;
    if (const auto file = TraceTarget::DataFileNamed(*trace, DataFilesOf(context)))
        throw UsageError("--trace " + *trace + " names " + file->string() + ", a data file it would destroy");
}

DeviceEnvironment::DeviceEnvironment(CommandContext& context, Trace when)
    : context_(context), prompter_(std::make_unique<ConsolePrompter>()) {
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
        RefuseTraceOverDataFiles(context);
        tracePath_ = *trace;
        if (when == Trace::Now)
            startTrace();
    }
}

DeviceEnvironment::~DeviceEnvironment() {
    if (session_)
        session_->shutdown();
    if (tracePath_ && !traceFd_ && context_.traceFailure.empty()) {
        try {
            startTrace();
        } catch (const std::exception& e) {
            context_.traceFailure = e.what();
        }
    }
    // Closed by hand, not by the owner: close(2) is where a full disk or a lost network file
    // system may first show, and the command must then fail.
    if (traceFd_ && ::close(traceFd_.release()) != 0 && context_.traceFailure.empty())
        context_.traceFailure = "cannot write the trace file '" + *tracePath_ + "': " + std::strerror(errno);
}

void DeviceEnvironment::startTrace() {
    if (!tracePath_ || traceFd_)
        return;
    TraceTarget::Result opened = TraceTarget::open(*tracePath_, DataFilesOf(context_));
    if (opened.outcome == TraceTarget::Outcome::DataFile)
        throw UsageError(opened.error);
    if (opened.outcome != TraceTarget::Outcome::Opened)
        throw std::runtime_error(opened.error);
    traceFd_ = std::move(opened.fd);
    std::string pending;
    pending.swap(pendingTrace_);
    writeTrace(pending);
}

void DeviceEnvironment::writeTrace(const std::string& text) {
    if (!traceFd_) {
        pendingTrace_ += text;
        return;
    }
    // After the first failure the rest is dropped; the command then ends with a failure.
    if (!context_.traceFailure.empty())
        return;
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(traceFd_.get(), text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            context_.traceFailure =
                "cannot write the trace file '" + *tracePath_ + "': " + std::strerror(n < 0 ? errno : EIO);
            return;
        }
        done += static_cast<std::size_t>(n);
    }
}

DeviceSession& DeviceEnvironment::session(DeviceNoticeListener& listener) {
    if (session_)
        throw std::logic_error("one session per environment");
    session_ = std::make_unique<DeviceSession>(*backend_, *pauser_, *prompter_, listener, "VEXO T58");
    if (tracePath_)
        session_->transport().setTraceHook([this](const std::string& line) { writeTrace(line + '\n'); });
    return *session_;
}

std::unique_ptr<DeviceMonitor> DeviceEnvironment::makeMonitor() {
    if (simMouse_)
        return std::make_unique<SimDeviceMonitor>(simMouse_);
    return makeDeviceMonitor();
}

} // namespace vexo::cli
