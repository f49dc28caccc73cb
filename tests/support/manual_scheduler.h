#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

#include "ui/forms/services.h"

namespace korvo::fake {

// A clock that moves only when a test says so. Due timers fire in time order (ties in the order
// they were armed), one handler at a time; what a handler arms, stops or re-times counts at once.
class ManualScheduler : public forms::Scheduler {
  public:
    void attach(forms::Runtime& runtime) override { runtime_ = &runtime; }
    void arm(forms::Timer& timer, std::chrono::milliseconds interval) override;
    void disarm(forms::Timer& timer) override;

    void advance(std::chrono::milliseconds by);
    void advanceSeconds(std::int64_t seconds) { advance(std::chrono::seconds(seconds)); }
    std::chrono::milliseconds now() const { return now_; }
    bool isArmed(const forms::Timer& timer) const;
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
