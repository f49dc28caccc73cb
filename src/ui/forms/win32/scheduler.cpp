// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/forms/win32/scheduler.h"

#include <algorithm>

#include "ui/forms/runtime.h"
#include "ui/forms/win32/form_window.h"

namespace korvo::win32 {

namespace {
constexpr wchar_t ClassName[] = L"KorvoTimers";
}

Scheduler::Scheduler() {
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = windowProc;
    type.hInstance = GetModuleHandleW(nullptr);
    type.lpszClassName = ClassName;
    RegisterClassExW(&type);  // a second scheduler finds the class already there
    window_ = CreateWindowExW(0, ClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              type.hInstance, this);
}

Scheduler::~Scheduler() {
    if (window_) DestroyWindow(window_);
}

LRESULT CALLBACK Scheduler::windowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (message == WM_TIMER) {
        if (auto* self = reinterpret_cast<Scheduler*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))) {
            self->due(wparam);
            return 0;
        }
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

void Scheduler::arm(forms::Timer& timer, std::chrono::milliseconds interval) {
    disarm(timer);  // arming again restarts the countdown
    const UINT_PTR id = next_++;
    const auto ms = static_cast<UINT>(std::max<long long>(USER_TIMER_MINIMUM, interval.count()));
    if (!window_ || !SetTimer(window_, id, ms, nullptr)) return;
    timers_[id] = &timer;
    ids_[&timer] = id;
}

void Scheduler::disarm(forms::Timer& timer) {
    const auto it = ids_.find(&timer);
    if (it == ids_.end()) return;
    KillTimer(window_, it->second);
    timers_.erase(it->second);
    ids_.erase(it);
}

void Scheduler::due(UINT_PTR id) {
    const auto it = timers_.find(id);
    if (it == timers_.end() || !runtime_) return;
    runtime_->timerDue(*it->second);
}

int runMessageLoop(const forms::Runtime& runtime) {
    if (runtime.ended()) return 0;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) handleMessage(message);
    return 0;
}

void handleMessage(MSG& message) {
    if (dialogMessage(message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace korvo::win32
