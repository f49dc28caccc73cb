// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>

#include "ui/forms/runtime.h"

class QWidget;

namespace korvo::qt {

class WindowServices;

// Renders every form of the runtime as a top-level window and every control as a widget, from
// the model alone, and keeps them in step by observation. What the user does is forwarded to the
// model through Runtime::dispatch; the widgets hold no state of their own that the model does not
// decide.
class View final : public forms::ViewObserver {
  public:
    View(forms::Runtime& runtime, WindowServices& services);
    ~View() override;
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    void formEvent(forms::Form& form, forms::FormEvent event,
                   forms::FormProperty property) override;
    void controlChanged(forms::Control& control, forms::Property property) override;

    // The window of a loaded form, the widget of one of its controls; nullptr otherwise (timers
    // and menu items have no widget).
    QWidget* window(const forms::Form& form) const;
    QWidget* widget(const forms::Control& control) const;

  private:
    class Impl;
    std::unique_ptr<Impl> impl_;
    forms::Runtime* runtime_ = nullptr;
    WindowServices* services_ = nullptr;
};

}  // namespace korvo::qt
