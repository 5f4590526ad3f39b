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
        if (kind == kNoticeMousePresent || kind == kNoticeNoMouse) return; // reported as arrival/removal
        print("notice " + std::to_string(kind) + " " + std::to_string(value));
    }
    void hideMainWindow() override {}
    void print(const std::string& line) {
        std::lock_guard lock(mutex_);
        if (failed_) return;
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

int runWatch(CommandContext& context, const std::vector<std::string>& args) {
    bool playScript = true;
    bool endWithScript = false;
    for (const std::string& arg : args) {
        if (arg == "--no-script") playScript = false;
        else if (arg == "--once") endWithScript = true;
        else {
            context.err << "vexoctl watch: unknown argument '" << arg << "' (see vexoctl watch --help)\n";
            return kExitUsage;
        }
    }
    DeviceEnvironment environment(context);
    if (!environment.simulated() && (!playScript || endWithScript)) {
        context.err << "vexoctl watch: --no-script and --once need --simulate\n";
        return kExitUsage;
    }
    if (endWithScript && !playScript) {
        context.err << "vexoctl watch: --once plays the script; it cannot go with --no-script\n";
        return kExitUsage;
    }

    if (::pipe2(interruptPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        context.err << "vexoctl watch: cannot create a pipe\n";
        return kExitFailure;
    }
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);

    PrintingListener listener(context.out);
    auto monitor = environment.makeMonitor();
    const bool monitoring = monitor && monitor->start();
    if (!monitoring) context.err << "vexoctl watch: hot-plug notices are not available; watching notices only\n";

    DeviceSession& session = environment.session(listener);
    session.start();
    bool present = session.mousePresent();
    std::unique_ptr<SimNoticeScript> script;
    if (environment.simulated() && playScript)
        script = std::make_unique<SimNoticeScript>(environment.simMouse(), SimNoticeScript::demo());

    int scriptPipe[2] = {-1, -1};
    std::thread scriptWaiter;
    if (script && endWithScript) {
        if (::pipe2(scriptPipe, O_CLOEXEC) != 0) return kExitFailure;
        scriptWaiter = std::thread([&] {
            script->wait();
            const char byte = 1;
            [[maybe_unused]] const auto written = ::write(scriptPipe[1], &byte, 1);
        });
    }

    auto handleChanges = [&] {
        for (const DeviceChange& change : monitor->takeChanges()) {
            session.handleDeviceChange(change);
            const bool now = session.mousePresent();
            if (now != present) listener.print(now ? "arrival" : "removal");
            present = now;
        }
    };
    for (;;) {
        pollfd fds[3] = {{interruptPipe[0], POLLIN, 0}, {monitoring ? monitor->pollFd() : -1, POLLIN, 0}, {scriptPipe[0], POLLIN, 0}};
        // No time-out: the process sleeps until something happens.
        const int ready = ::poll(fds, 3, -1);
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0 || (fds[0].revents & POLLIN)) break;
        if (fds[1].revents & POLLIN) handleChanges();
        if (fds[2].revents & POLLIN) {
            // The script's last steps are still reported: pending hot-plug changes, and notices until
            // the input thread has taken them all and waits again (bounded, should it be stuck).
            if (monitoring) handleChanges();
            auto mouse = environment.simMouse();
            for (int i = 0; i < 200 && (mouse->pendingNotices() > 0 || (present && mouse->readersBlocked() == 0)); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            break;
        }
    }
    if (scriptWaiter.joinable()) scriptWaiter.join();
    script.reset();
    session.shutdown();
    for (int fd : {interruptPipe[0], interruptPipe[1], scriptPipe[0], scriptPipe[1]})
        if (fd >= 0) ::close(fd);
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
