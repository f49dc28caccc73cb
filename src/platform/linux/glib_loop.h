// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <glib.h>

#include <chrono>
#include <functional>
#include <map>

#include "ui/forms/services.h"

namespace korvo::platform {

// The program's event loop before any window exists: GLib's default main context, which also
// carries GIO, D-Bus and the tray, with one GLib timeout per armed timer and one GLib source per
// watched descriptor. A window toolkit that runs the same context (Qt on Linux does) can take
// the loop over: from then on its own loop runs, and these timers and watches go on in it.
class GlibLoop final : public forms::Scheduler {
  public:
    GlibLoop();
    ~GlibLoop() override;
    GlibLoop(const GlibLoop&) = delete;
    GlibLoop& operator=(const GlibLoop&) = delete;

    void attach(forms::Runtime& runtime) override { runtime_ = &runtime; }
    void arm(forms::Timer& timer, std::chrono::milliseconds interval) override;
    void disarm(forms::Timer& timer) override;
    bool watch(int descriptor, std::function<void()> ready) override;
    void unwatch(int descriptor) override;

    // Runs until the program ends (quit()) and returns its exit status. After handOver(), the
    // toolkit's loop runs in its place once the event that loaded the toolkit is over.
    int run();
    void quit();
    void handOver(std::function<int()> toolkitLoop);

    int armedCount() const { return static_cast<int>(timers_.size()); }

  private:
    struct Armed;
    static gboolean timerFired(gpointer data);
    static gboolean descriptorReady(gint descriptor, GIOCondition condition, gpointer data);

    forms::Runtime* runtime_ = nullptr;
    GMainLoop* loop_;
    std::map<forms::Timer*, guint> timers_;
    std::map<int, guint> watched_;
    std::function<int()> toolkitLoop_;
    bool quitting_ = false;
};

}  // namespace korvo::platform
