// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/stderr_diagnostics.h"

namespace korvo::platform {

namespace {

constexpr auto kQuietTime = std::chrono::minutes(1);

void appendOneLine(std::string& line, std::string_view text) {
    for (const char c : text) line += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
}

}  // namespace

bool RepeatLimiter::allow(const std::string& line) {
    const auto now = now_();
    // Forget what can no longer hold anything back, so a long run over ever new names stays small.
    std::erase_if(shown_, [&](const auto& entry) { return now - entry.second >= kQuietTime; });
    return shown_.try_emplace(line, now).second;
}

std::string diagnosticLine(std::string_view what, std::string_view path, std::string_view reason) {
    std::string line = "korvo: ";
    appendOneLine(line, what);
    line += ": ";
    appendOneLine(line, path);
    line += ": ";
    appendOneLine(line, reason);
    return line;
}

void StderrDiagnostics::report(std::string_view what, std::string_view path,
                               std::string_view reason) {
    const std::string line = diagnosticLine(what, path, reason);
    const std::lock_guard lock(mutex_);
    if (!limiter_.allow(line)) return;
    std::fprintf(out_, "%s\n", line.c_str());
    std::fflush(out_);
}

StderrDiagnostics& stderrDiagnostics() {
    static StderrDiagnostics diagnostics;
    return diagnostics;
}

}  // namespace korvo::platform
