// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <chrono>
#include <map>

#include "ui/forms/services.h"

class QSocketNotifier;
class QTimer;

namespace korvo::qt {

// The forms' timers on Qt's event loop: one QTimer per armed timer, none for the polls (the
// runtime runs those after each event). Coarse timers let Qt wake once for the one-second clocks
// that fall due together. Watched descriptors get a QSocketNotifier each.
class Scheduler final : public forms::Scheduler {
  public:
    Scheduler();
    ~Scheduler() override;
    Scheduler(const Scheduler&) = delete;
    Scheduler& operator=(const Scheduler&) = delete;

    void attach(forms::Runtime& runtime) override { runtime_ = &runtime; }
    void arm(forms::Timer& timer, std::chrono::milliseconds interval) override;
    void disarm(forms::Timer& timer) override;
    bool watch(int descriptor, std::function<void()> ready) override;
    void unwatch(int descriptor) override;

    // How many QTimers run now.
    int armedCount() const { return static_cast<int>(timers_.size()); }

  private:
    forms::Runtime* runtime_ = nullptr;
    QObject owner_;  // parent of every QTimer, so none outlives the scheduler
    std::map<forms::Timer*, QTimer*> timers_;
    std::map<int, QSocketNotifier*> watched_;
};

}  // namespace korvo::qt
