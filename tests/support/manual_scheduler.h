// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <vector>

#include "ui/forms/runtime.h"
#include "ui/forms/services.h"

namespace korvo::fake {

// A clock that moves only when a test says so. Due timers fire in time order (ties in the order
// they were armed), one handler at a time; what a handler arms, stops or re-times counts at once.
class ManualScheduler : public forms::Scheduler {
  public:
    void attach(forms::Runtime& runtime) override { runtime_ = &runtime; }
    void arm(forms::Timer& timer, std::chrono::milliseconds interval) override {
        disarm(timer);
        entries_.push_back({&timer, interval, now_ + interval, sequence_++});
    }
    void disarm(forms::Timer& timer) override {
        std::erase_if(entries_, [&](const Entry& e) { return e.timer == &timer; });
    }

    void advance(std::chrono::milliseconds by) {
        const auto target = now_ + by;
        for (;;) {
            auto next = std::min_element(entries_.begin(), entries_.end(), [](auto& a, auto& b) {
                return a.due != b.due ? a.due < b.due : a.sequence < b.sequence;
            });
            if (next == entries_.end() || next->due > target) break;
            now_ = next->due;
            forms::Timer* timer = next->timer;
            // Rescheduled before it runs, so that the handler can stop or re-time it.
            next->due = now_ + next->interval;
            next->sequence = sequence_++;
            ++fired_;
            runtime_->timerDue(*timer);
            if (runtime_->ended()) break;
        }
        now_ = target;
    }
    void advanceSeconds(std::int64_t seconds) { advance(std::chrono::seconds(seconds)); }
    std::chrono::milliseconds now() const { return now_; }
    bool isArmed(const forms::Timer& timer) const {
        return std::ranges::any_of(entries_, [&](const Entry& e) { return e.timer == &timer; });
    }
    int firedCount() const { return fired_; }

  private:
    struct Entry {
        forms::Timer* timer;
        std::chrono::milliseconds interval;
        std::chrono::milliseconds due;
        std::uint64_t sequence;
    };
    forms::Runtime* runtime_ = nullptr;
    std::vector<Entry> entries_;
    std::chrono::milliseconds now_{0};
    std::uint64_t sequence_ = 0;
    int fired_ = 0;
};

}  // namespace korvo::fake
