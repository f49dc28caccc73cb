// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/forms/qt/scheduler.h"

#include <QSocketNotifier>
#include <QTimer>

#include "ui/forms/runtime.h"

namespace korvo::qt {

Scheduler::Scheduler() = default;

Scheduler::~Scheduler() = default;

void Scheduler::arm(forms::Timer& timer, std::chrono::milliseconds interval) {
    QTimer*& qtimer = timers_[&timer];
    if (!qtimer) {
        qtimer = new QTimer(&owner_);
        qtimer->setTimerType(Qt::CoarseTimer);
        forms::Timer* model = &timer;
        QObject::connect(qtimer, &QTimer::timeout, qtimer, [this, model] {
            // Looked up again: a handler run earlier in this pass may have stopped the timer.
            if (runtime_ && timers_.count(model)) runtime_->timerDue(*model);
        });
    }
    qtimer->start(interval);  // arming again restarts the countdown
}

void Scheduler::disarm(forms::Timer& timer) {
    const auto it = timers_.find(&timer);
    if (it == timers_.end()) return;
    QTimer* qtimer = it->second;
    timers_.erase(it);
    qtimer->stop();
    // The timer may be the one whose timeout is running right now.
    qtimer->deleteLater();
}

bool Scheduler::watch(int descriptor, std::function<void()> ready) {
    unwatch(descriptor);
    auto* notifier = new QSocketNotifier(descriptor, QSocketNotifier::Read, &owner_);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier,
                     [ready = std::move(ready)] { ready(); });
    watched_[descriptor] = notifier;
    return true;
}

void Scheduler::unwatch(int descriptor) {
    const auto it = watched_.find(descriptor);
    if (it == watched_.end()) return;
    QSocketNotifier* notifier = it->second;
    watched_.erase(it);
    notifier->setEnabled(false);
    // It may be the notifier whose signal is running right now.
    notifier->deleteLater();
}

}  // namespace korvo::qt
