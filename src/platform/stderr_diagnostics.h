// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <string_view>

#include "services/diagnostics.h"

namespace korvo::platform {

// Lets each distinct line through at most once a minute: a folder that stays unreadable for a
// week leaves one line a minute in the journal, not one a change.
class RepeatLimiter {
  public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    explicit RepeatLimiter(Clock now) : now_(std::move(now)) {}
    bool allow(const std::string& line);

  private:
    Clock now_;
    std::map<std::string, std::chrono::steady_clock::time_point> shown_;
};

// "korvo: <what>: <path>: <reason>", kept on one line whatever bytes a file name holds.
std::string diagnosticLine(std::string_view what, std::string_view path, std::string_view reason);

class StderrDiagnostics final : public Diagnostics {
  public:
    explicit StderrDiagnostics(std::FILE* out = stderr,
                               RepeatLimiter::Clock now = std::chrono::steady_clock::now)
        : out_(out), limiter_(std::move(now)) {}
    void report(std::string_view what, std::string_view path, std::string_view reason) override;

  private:
    std::FILE* out_;
    std::mutex mutex_;  // backends report from their own threads too
    RepeatLimiter limiter_;
};

// The process's one standard-error sink, shared by the windows and the backends so that the
// once-a-minute rule holds across both.
StderrDiagnostics& stderrDiagnostics();

}  // namespace korvo::platform
