// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// vexoctl watch: the mouse's own notices and its arrival and removal, as they happen.
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <thread>
#include <fcntl.h>
#include <mutex>

#include "base/unique_fd.h"
#include "command_registry.h"
#include "device_environment.h"
#include "sim/sim_notice_script.h"

namespace vexo::cli {
namespace {

// SIGINT and SIGTERM write to this pipe, so the poll loop ends cleanly.
int interruptPipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(interruptPipe[1], &byte, 1);
}

// Prints the notices; called from the input thread as well as the main one. A line that cannot be
// written (a full disk, a closed output) ends the watch: nobody would ever read what follows.
class PrintingListener final : public DeviceNoticeListener {
public:
    explicit PrintingListener(std::ostream& out) : out_(out) {}
    void deviceNotice(std::uint8_t kind, std::uint8_t value) override {
        if (kind == kNoticeMousePresent || kind == kNoticeNoMouse)
            return; // reported as arrival/removal
        print("notice " + std::to_string(kind) + " " + std::to_string(value));
    }
    void hideMainWindow() override {}
    void print(const std::string& line) {
        std::lock_guard lock(mutex_);
        if (failed_)
            return;
        out_ << line << std::endl;
        if (!out_) {
            failed_ = true;
            onSignal(0);
        }
    }
    bool failed() const { return failed_; }

private:
    std::mutex mutex_;
    std::atomic<bool> failed_{false};
    std::ostream& out_;
};

// Ends the watch in a safe order on every path, an exception's included: the script's waiter is
// joined and the script stopped, then the session is shut down (its input thread stopped) while the
// listener it calls is still alive, and the signal handlers are put back before the pipe they
// write to is closed.
class WatchTeardown {
public:
    WatchTeardown() = default;
    WatchTeardown(const WatchTeardown&) = delete;
    WatchTeardown& operator=(const WatchTeardown&) = delete;
    ~WatchTeardown() {
        if (scriptWaiter.joinable())
            scriptWaiter.join();
        script.reset();
        if (session != nullptr)
            session->shutdown();
        if (handlersInstalled) {
            ::sigaction(SIGINT, &previousInt, nullptr);
            ::sigaction(SIGTERM, &previousTerm, nullptr);
        }
        interruptRead.reset();
        interruptWrite.reset();
        interruptPipe[0] = interruptPipe[1] = -1;
    }

    DeviceSession* session = nullptr;
    std::unique_ptr<SimNoticeScript> script;
    std::thread scriptWaiter;
    bool handlersInstalled = false;
    struct sigaction previousInt {};
    struct sigaction previousTerm {};
    UniqueFd interruptRead;
    UniqueFd interruptWrite;
};

int runWatch(CommandContext& context, const std::vector<std::string>& args) {
    bool playScript = true;
    bool endWithScript = false;
    for (const std::string& arg : args) {
        if (arg == "--no-script")
            playScript = false;
        else if (arg == "--once")
            endWithScript = true;
        else {
            context.err << "vexoctl watch: unknown argument '" << arg << "' (see vexoctl watch --help)\n";
            return kExitUsage;
        }
    }
    // Declared before the environment, so it outlives the session's input thread that calls it.
    PrintingListener listener(context.out);
    DeviceEnvironment environment(context);
    if (!environment.simulated() && (!playScript || endWithScript)) {
        context.err << "vexoctl watch: --no-script and --once need --simulate\n";
        return kExitUsage;
    }
    if (endWithScript && !playScript) {
        context.err << "vexoctl watch: --once plays the script; it cannot go with --no-script\n";
        return kExitUsage;
    }

    // The script's pipe and the monitor are declared before the teardown, which stops what uses them.
    UniqueFd scriptRead;
    UniqueFd scriptWrite;
    auto monitor = environment.makeMonitor();
    WatchTeardown teardown;
    if (::pipe2(interruptPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        context.err << "vexoctl watch: cannot create a pipe\n";
        return kExitFailure;
    }
    teardown.interruptRead.reset(interruptPipe[0]);
    teardown.interruptWrite.reset(interruptPipe[1]);
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, &teardown.previousInt);
    ::sigaction(SIGTERM, &action, &teardown.previousTerm);
    teardown.handlersInstalled = true;

    const bool monitoring = monitor && monitor->start();
    if (!monitoring)
        context.err << "vexoctl watch: hot-plug notices are not available; watching notices only\n";

    DeviceSession& session = environment.session(listener);
    teardown.session = &session;
    session.start();
    bool present = session.mousePresent();
    if (environment.simulated() && playScript)
        teardown.script = std::make_unique<SimNoticeScript>(environment.simMouse(), SimNoticeScript::demo());

    if (teardown.script && endWithScript) {
        int scriptPipe[2] = {-1, -1};
        if (::pipe2(scriptPipe, O_CLOEXEC) != 0) {
            context.err << "vexoctl watch: cannot create a pipe\n";
            return kExitFailure;
        }
        scriptRead.reset(scriptPipe[0]);
        scriptWrite.reset(scriptPipe[1]);
        teardown.scriptWaiter = std::thread([script = teardown.script.get(), fd = scriptWrite.get()] {
            script->wait();
            const char byte = 1;
            [[maybe_unused]] const auto written = ::write(fd, &byte, 1);
        });
    }

    auto handleChanges = [&] {
        for (const DeviceChange& change : monitor->takeChanges()) {
            session.handleDeviceChange(change);
            const bool now = session.mousePresent();
            if (now != present)
                listener.print(now ? "arrival" : "removal");
            present = now;
        }
    };
    for (;;) {
        pollfd fds[3] = {{teardown.interruptRead.get(), POLLIN, 0},
                         {monitoring ? monitor->pollFd() : -1, POLLIN, 0},
                         {scriptRead.get(), POLLIN, 0}};
        // No time-out: the process sleeps until something happens.
        const int ready = ::poll(fds, 3, -1);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0 || (fds[0].revents & POLLIN))
            break;
        if (fds[1].revents & POLLIN)
            handleChanges();
        if (fds[2].revents & POLLIN) {
            // The script's last steps are still reported: pending hot-plug changes, and notices until
            // the input thread has taken them all and waits again (bounded, should it be stuck).
            if (monitoring)
                handleChanges();
            auto mouse = environment.simMouse();
            for (int i = 0; i < 200 && (mouse->pendingNotices() > 0 || (present && mouse->readersBlocked() == 0)); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            break;
        }
    }
    // The reason is told with every command's: "cannot write the output".
    return listener.failed() ? kExitFailure : kExitOk;
}

const CommandRegistration registration({
    "watch",
    "print the mouse's notices, arrival and removal until Ctrl+C",
    "Usage: vexoctl [global options] watch [--no-script | --once]\n\n"
    "Prints one line per event until interrupted (Ctrl+C):\n"
    "  arrival              a usable mouse has come\n"
    "  removal              the mouse has gone\n"
    "  notice KIND VALUE    the mouse changed by itself (decimal): 5 report rate, 7 DPI stage,\n"
    "                       8 key group, 9 macro key\n\n"
    "With --simulate the simulated mouse plays a short script of notices, an unplug and a replug.\n"
    "  --no-script   with --simulate: the simulated mouse stays silent\n"
    "  --once        with --simulate: end when the script has played\n",
    runWatch,
    "[--no-script | --once]",
});

} // namespace
} // namespace vexo::cli
