// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "platform/linux/wallpaper_object.h"

namespace korvo::platform {

struct ProcessResult {
    enum class Outcome { Exited, Signalled, TimedOut, NotStarted };
    Outcome outcome = Outcome::NotStarted;
    int exitCode = -1;   // the exit status when Exited, the signal when Signalled
    std::string output;  // standard output, when asked for, up to a limit

    bool succeeded() const { return outcome == Outcome::Exited && exitCode == 0; }
    // S_OK for a clean exit 0; otherwise a failure code that tells a missing program and a
    // time-out apart from a refusal.
    HRESULT hresult() const;
};

enum class Output { Discard, Capture };

// Runs argv[0] (looked up in PATH) with exactly the given arguments: no shell, standard input
// from /dev/null, standard error discarded, none of Korvo's other descriptors inherited. A
// program that cannot be started or runs out of time is told to stderrDiagnostics(). A
// program still running after `limit` is killed with its whole process group. Blocks the
// calling thread for at most about `limit`; a helper that the program leaves running with our
// pipe open cannot hold it longer.
ProcessResult runProcess(const std::vector<std::string>& argv,
                         std::chrono::milliseconds limit = std::chrono::seconds(5),
                         Output output = Output::Discard);

}  // namespace korvo::platform
