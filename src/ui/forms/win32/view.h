// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>

#include "ui/forms/runtime.h"
#include "ui/forms/win32/win32.h"

namespace korvo::win32 {

class WindowServices;

// Renders every form of the runtime as a top-level window and every control as the matching
// system control, from the model alone, and keeps them in step by observation. What the user
// does is forwarded to the model through Runtime::dispatch; the controls hold no state of their
// own that the model does not decide.
//
// The controls of a form are all children of its window, placed by their position inside their
// frames and picture boxes: a group box passes no notifications on, so it cannot be a parent.
class View final : public forms::ViewObserver {
  public:
    View(forms::Runtime& runtime, WindowServices& services);
    ~View() override;
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    void formEvent(forms::Form& form, forms::FormEvent event,
                   forms::FormProperty property) override;
    void controlChanged(forms::Control& control, forms::Property property) override;

    // The window of a loaded form, the window of one of its controls; nullptr otherwise (timers
    // and menu items have none).
    HWND window(const forms::Form& form) const;
    HWND handle(const forms::Control& control) const;
    // The form's icon at the small system size (the program's icon when the form has none).
    HICON smallIcon(const forms::Form& form) const;

  private:
    class Impl;
    std::unique_ptr<Impl> impl_;
    forms::Runtime* runtime_;
    WindowServices* services_;
};

}  // namespace korvo::win32
