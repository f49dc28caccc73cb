#pragma once

#include <functional>
#include <memory>

#include "platform/folder_listing.h"
#include "ui/forms/runtime.h"
#include "ui/forms/win32/scheduler.h"
#include "ui/forms/win32/view.h"
#include "ui/forms/win32/window_services.h"

namespace korvo::win32::test {

// A runtime on the real Win32 services with the view attached, as Korvo.exe wires it, minus the
// program: forms of the tests' own making are rendered and driven through it.
struct Win32World {
    Scheduler scheduler;
    WindowServices window;
    platform::StdFileSystem files;
    forms::Runtime runtime{scheduler, window, files};
    View view{runtime, window};

    template <class F>
    F& form() {
        return runtime.form<F>([this] { return std::make_unique<F>(*this); });
    }
};

// Runs the message loop until `done` holds or `ms` milliseconds have passed.
inline bool waitFor(const std::function<bool()>& done, int ms = 3000) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
    MSG message;
    for (;;) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (done()) return true;
        if (GetTickCount64() > end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

inline void pump(int ms) {
    waitFor([] { return false; }, ms);
}

}  // namespace korvo::win32::test
