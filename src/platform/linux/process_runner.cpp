// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/process_runner.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

#include "platform/stderr_diagnostics.h"

extern char** environ;

namespace korvo::platform {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kOutputLimit = 1 << 20;

// Closes a descriptor on every path out of the runner.
struct Fd {
    int fd = -1;
    Fd() = default;
    explicit Fd(int value) : fd(value) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { reset(); }
    void reset() {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
};

struct SpawnSetup {
    posix_spawn_file_actions_t actions{};
    posix_spawnattr_t attributes{};
    SpawnSetup() {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
};

int waitChild(pid_t pid, int options) {
    int status = 0;
    pid_t got = 0;
    do {
        got = ::waitpid(pid, &status, options);
    } while (got < 0 && errno == EINTR);
    if (got <= 0) return -1;
    return status;
}

void readAvailable(int fd, std::string& output) {
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return;
        const auto room = kOutputLimit - std::min(kOutputLimit, output.size());
        output.append(buffer, std::min(room, static_cast<std::size_t>(got)));
    }
}

}  // namespace

HRESULT ProcessResult::hresult() const {
    switch (outcome) {
        case Outcome::Exited:
            return exitCode == 0 ? shell::S_OK : shell::E_FAIL;
        case Outcome::Signalled:
            return shell::E_FAIL;
        case Outcome::TimedOut:
            return kTimedOut;
        case Outcome::NotStarted:
            return kFileNotFound;
    }
    return shell::E_FAIL;
}

ProcessResult runProcess(const std::vector<std::string>& argv, std::chrono::milliseconds limit,
                         Output output) {
    ProcessResult result;
    if (argv.empty() || argv.front().empty()) return result;
    std::vector<char*> args;
    for (const auto& arg : argv) {
        if (arg.find('\0') != std::string::npos) return result;
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);

    Fd readEnd, writeEnd;
    if (output == Output::Capture) {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0) return result;
        readEnd.fd = ends[0];
        writeEnd.fd = ends[1];
        // Only our end: on a non-blocking pipe a tool writing more than the pipe holds would
        // get EAGAIN and fail.
        if (::fcntl(readEnd.fd, F_SETFL, O_NONBLOCK) != 0) return result;
    }

    SpawnSetup setup;
    posix_spawn_file_actions_addopen(&setup.actions, 0, "/dev/null", O_RDONLY, 0);
    if (output == Output::Capture) {
        posix_spawn_file_actions_adddup2(&setup.actions, writeEnd.fd, 1);
    } else {
        posix_spawn_file_actions_addopen(&setup.actions, 1, "/dev/null", O_WRONLY, 0);
    }
    posix_spawn_file_actions_addopen(&setup.actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&setup.actions, 3);
    // Its own process group, so a time-out also ends whatever helpers it started; default
    // signal handling and an empty mask whatever the toolkit set up in Korvo.
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setpgroup(&setup.attributes, 0);
    posix_spawnattr_setsigmask(&setup.attributes, &none);
    posix_spawnattr_setsigdefault(&setup.attributes, &all);
    posix_spawnattr_setflags(
        &setup.attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = 0;
    // The backends hand the desktop only a failure code; the tool's name and the cause go to the
    // journal from here.
    if (const int error =
            ::posix_spawnp(&pid, args[0], &setup.actions, &setup.attributes, args.data(), environ);
        error != 0) {
        stderrDiagnostics().report("desktop tool not started", argv.front(), std::strerror(error));
        return result;
    }
    writeEnd.reset();

    const auto deadline = Clock::now() + limit;
    // A pidfd wakes us the moment the child ends; without one (an old kernel) poll in slices.
    Fd exited(static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)));
    int status = -1;
    for (;;) {
        pollfd watched[2] = {{exited.fd, POLLIN, 0}, {readEnd.fd, POLLIN, 0}};
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) break;
        int wait = static_cast<int>(std::min<long long>(left.count(), 60'000));
        if (exited.fd < 0) wait = std::min(wait, 10);
        const int ready = ::poll(watched, 2, wait);
        if (ready < 0 && errno != EINTR) break;
        if (readEnd.fd >= 0 && (watched[1].revents & (POLLIN | POLLHUP))) {
            readAvailable(readEnd.fd, result.output);
            if (watched[1].revents & POLLHUP) readEnd.reset();
        }
        if (exited.fd < 0 || (watched[0].revents & POLLIN)) {
            status = waitChild(pid, WNOHANG);
            if (status >= 0) break;
        }
    }
    if (status < 0) {
        ::kill(-pid, SIGKILL);
        ::kill(pid, SIGKILL);
        waitChild(pid, 0);
        result.outcome = ProcessResult::Outcome::TimedOut;
        stderrDiagnostics().report("desktop tool timed out", argv.front(),
                                   "no answer within " + std::to_string(limit.count()) + " ms");
        return result;
    }
    if (readEnd.fd >= 0) readAvailable(readEnd.fd, result.output);
    if (WIFEXITED(status)) {
        result.outcome = ProcessResult::Outcome::Exited;
        result.exitCode = WEXITSTATUS(status);
    } else {
        result.outcome = ProcessResult::Outcome::Signalled;
        result.exitCode = WIFSIGNALED(status) ? WTERMSIG(status) : -1;
    }
    return result;
}

}  // namespace korvo::platform
