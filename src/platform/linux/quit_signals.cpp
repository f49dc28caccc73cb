// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/quit_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <csignal>

#include "ui/forms/services.h"

namespace korvo::platform {

namespace {

int quitPipe[2] = {-1, -1};

extern "C" void onQuitSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(quitPipe[1], &byte, 1);
}

}  // namespace

bool watchQuitSignals(forms::Scheduler& loop, std::function<void()> quit) {
    if (quitPipe[0] < 0 && ::pipe2(quitPipe, O_CLOEXEC | O_NONBLOCK) != 0) return false;
    const bool watched = loop.watch(quitPipe[0], [quit = std::move(quit)] {
        char bytes[16];
        while (::read(quitPipe[0], bytes, sizeof bytes) > 0) {
        }
        quit();
    });
    if (!watched) return false;
    struct sigaction action {};
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    // SIGHUP too: a session that ends hangs up on the programs it started.
    return ::sigaction(SIGTERM, &action, nullptr) == 0 &&
           ::sigaction(SIGINT, &action, nullptr) == 0 && ::sigaction(SIGHUP, &action, nullptr) == 0;
}

}  // namespace korvo::platform
