// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

namespace korvo::forms {
class Scheduler;
}

namespace korvo::platform {

// SIGTERM, SIGINT and SIGHUP run `quit` from `loop`, as one event among the others: a signal
// handler may only write a byte, so the signal travels through a pipe the loop watches. False when
// the signals could not be caught (the process then ends as the signals' default says).
bool watchQuitSignals(forms::Scheduler& loop, std::function<void()> quit);

}  // namespace korvo::platform
