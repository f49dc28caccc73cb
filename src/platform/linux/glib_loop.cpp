// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/glib_loop.h"

#include <glib-unix.h>

#include "ui/forms/runtime.h"

namespace korvo::platform {

struct GlibLoop::Armed {
    GlibLoop* loop;
    forms::Timer* timer;
};

GlibLoop::GlibLoop() : loop_(g_main_loop_new(nullptr, FALSE)) {}

GlibLoop::~GlibLoop() {
    for (const auto& [timer, source] : timers_) g_source_remove(source);
    for (const auto& [descriptor, source] : watched_) g_source_remove(source);
    g_main_loop_unref(loop_);
}

void GlibLoop::arm(forms::Timer& timer, std::chrono::milliseconds interval) {
    disarm(timer);  // arming again restarts the countdown
    auto* armed = new Armed{this, &timer};
    timers_[&timer] = g_timeout_add_full(G_PRIORITY_DEFAULT, static_cast<guint>(interval.count()),
                                         &GlibLoop::timerFired, armed,
                                         [](gpointer data) { delete static_cast<Armed*>(data); });
}

void GlibLoop::disarm(forms::Timer& timer) {
    const auto it = timers_.find(&timer);
    if (it == timers_.end()) return;
    const guint source = it->second;
    timers_.erase(it);
    g_source_remove(source);
}

gboolean GlibLoop::timerFired(gpointer data) {
    const auto* armed = static_cast<Armed*>(data);
    GlibLoop* loop = armed->loop;
    forms::Timer* timer = armed->timer;
    // The timer keeps its source; a handler that disarms it removes the source, which GLib
    // allows from inside the source's own callback.
    if (loop->runtime_) loop->runtime_->timerDue(*timer);
    return G_SOURCE_CONTINUE;
}

bool GlibLoop::watch(int descriptor, std::function<void()> ready) {
    unwatch(descriptor);
    // GLib frees the callback's data once the source is gone and no callback of it runs.
    watched_[descriptor] =
        g_unix_fd_add_full(G_PRIORITY_DEFAULT, descriptor, G_IO_IN, &GlibLoop::descriptorReady,
                           new std::function<void()>(std::move(ready)),
                           [](gpointer data) { delete static_cast<std::function<void()>*>(data); });
    return true;
}

void GlibLoop::unwatch(int descriptor) {
    const auto it = watched_.find(descriptor);
    if (it == watched_.end()) return;
    const guint source = it->second;
    watched_.erase(it);
    g_source_remove(source);
}

gboolean GlibLoop::descriptorReady(gint, GIOCondition, gpointer data) {
    (*static_cast<std::function<void()>*>(data))();
    return G_SOURCE_CONTINUE;
}

int GlibLoop::run() {
    while (!quitting_) {
        if (toolkitLoop_) return toolkitLoop_();
        g_main_loop_run(loop_);
    }
    return 0;
}

void GlibLoop::quit() {
    quitting_ = true;
    g_main_loop_quit(loop_);
}

void GlibLoop::handOver(std::function<int()> toolkitLoop) {
    toolkitLoop_ = std::move(toolkitLoop);
    g_main_loop_quit(loop_);
}

}  // namespace korvo::platform
