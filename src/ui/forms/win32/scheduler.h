// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <map>

#include "ui/forms/services.h"
#include "ui/forms/win32/win32.h"

namespace korvo::win32 {

// The forms' timers as window timers of a message-only window: they fire on the thread that
// made the scheduler, between other messages, inside menus and window drags too.
class Scheduler final : public forms::Scheduler {
  public:
    Scheduler();
    ~Scheduler() override;
    Scheduler(const Scheduler&) = delete;
    Scheduler& operator=(const Scheduler&) = delete;

    void attach(forms::Runtime& runtime) override { runtime_ = &runtime; }
    void arm(forms::Timer& timer, std::chrono::milliseconds interval) override;
    void disarm(forms::Timer& timer) override;

    int running() const { return static_cast<int>(timers_.size()); }

  private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    void due(UINT_PTR id);

    HWND window_ = nullptr;
    forms::Runtime* runtime_ = nullptr;
    std::map<UINT_PTR, forms::Timer*> timers_;
    std::map<const forms::Timer*, UINT_PTR> ids_;
    UINT_PTR next_ = 1;  // never reused, so a message already queued for a stopped timer is lost
};

// Waits in the thread's message loop until the program ends; at once when it already has.
int runMessageLoop(const forms::Runtime& runtime);

// One message of the thread's queue as the loop handles it: the keys that walk a form's controls
// and press its buttons first (dialogMessage).
void handleMessage(MSG& message);

}  // namespace korvo::win32
