#include "support/manual_scheduler.h"

#include <algorithm>

#include "ui/forms/runtime.h"

namespace korvo::fake {

void ManualScheduler::arm(forms::Timer& timer, std::chrono::milliseconds interval) {
    disarm(timer);
    entries_.push_back({&timer, interval, now_ + interval, sequence_++});
}

void ManualScheduler::disarm(forms::Timer& timer) {
    std::erase_if(entries_, [&](const Entry& e) { return e.timer == &timer; });
}

bool ManualScheduler::isArmed(const forms::Timer& timer) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const Entry& e) { return e.timer == &timer; });
}

void ManualScheduler::advance(std::chrono::milliseconds by) {
    const auto target = now_ + by;
    for (;;) {
        auto next =
            std::min_element(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
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

}  // namespace korvo::fake
