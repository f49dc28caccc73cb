// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <memory>

#include "ui/forms/qt/scheduler.h"
#include "ui/forms/qt/window_services.h"

class QApplication;

namespace korvo::forms {
class Runtime;
}

namespace korvo::qt {

// The Qt side of a program: the application object, its event loop as the forms' scheduler and
// its window system. A tray program: closing or hiding its last window never ends it.
class Application {
  public:
    Application(int& argc, char** argv);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    Scheduler& scheduler() { return *scheduler_; }
    WindowServices& window() { return *window_; }

    // `quit` runs when the desktop session ends, or when Qt itself is asked to quit.
    void onSessionEnd(const std::function<void()>& quit);

    // Waits in the event loop until the program ends; at once when it already has.
    int run(const forms::Runtime& runtime);

  private:
    std::unique_ptr<QApplication> app_;
    std::unique_ptr<Scheduler> scheduler_;
    std::unique_ptr<WindowServices> window_;
};

}  // namespace korvo::qt
