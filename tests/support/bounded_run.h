#pragma once
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

namespace vexo::test {

// How a body run in a child process ended.
struct BoundedOutcome {
    bool finished = false;  // exited on its own within the time
    int status = -1;        // its exit status when finished
    bool timedOut() const { return !finished; }
};

// Runs body() in a child process and waits at most `limit` for it; a child that is still running
// then is killed, so a hang fails the calling test instead of stopping the suite. body returns the
// child's exit status (0-255). With asRoot false and the tests running as root, the child first
// becomes the unprivileged user nobody (exit status 99 when it cannot).
template <typename Body>
BoundedOutcome RunBounded(std::chrono::milliseconds limit, Body body, bool asRoot = true) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (!asRoot && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(99);
        ::_exit(body());
    }
    BoundedOutcome outcome;
    if (pid < 0) return outcome;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int raw = 0;
    for (;;) {
        const pid_t done = ::waitpid(pid, &raw, WNOHANG);
        if (done == pid) break;
        if (done < 0 && errno != EINTR) return outcome;
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &raw, 0);
            return outcome;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    outcome.finished = WIFEXITED(raw);
    outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return outcome;
}

} // namespace vexo::test
