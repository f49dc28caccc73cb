// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPalette>
#include <QPoint>
#include <map>

#include "ui/forms/runtime.h"

class QEvent;
class QMenuBar;
class QWidget;

namespace korvo::qt {

class WindowServices;

// The window-level half of the view, for one loaded form: its top-level window and the client
// area the controls' widgets sit in; flags from the border style and the task-bar setting;
// geometry, caption, icon and background from the model; the menu bar; and the model following
// the window when the user moves or sizes it. It owns the window.
class FormWindow final : public QObject {
  public:
    FormWindow(forms::Form& form, forms::Runtime& runtime, WindowServices& services,
               QPalette palette);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    // The form is unloaded: the window hides at once and reaches the form no more; it is
    // deleted, with this object, once the event that unloaded the form is over (it may be the
    // window's own close box).
    void retire();

    forms::Form& form() const { return *form_; }  // only while loaded
    QWidget* window() const { return window_; }
    QWidget* client() const { return client_; }

    // Shows the window. The first time, it is placed as the form asks: where the window manager
    // puts a new window, centred on the screen the pointer is on, or at the design's left and
    // top; afterwards it comes back where it was last.
    void show();

    // Shows one property of the form.
    void apply(forms::FormProperty property);
    // The menu bar from the form's menus, now or (after a change of a menu) from the event loop.
    void rebuildMenuBar();
    void scheduleMenuBar();
    // The window was moved or resized (by the view, or by the user through the window system).
    void movedOrResized(const QEvent& event);

    // The widget of each control that has one.
    std::map<const forms::Control*, QWidget*> widgets;

  private:
    int twipsPerPixel() const;
    void applyFlags();
    void applyGeometry();
    void placeFirst();
    void layoutClient();
    void modelFollowsWindow(bool resized);

    forms::Form* form_;  // null once retired
    forms::Runtime& runtime_;
    WindowServices& services_;
    QPalette palette_;
    QWidget* window_;
    QWidget* client_;
    QMenuBar* menuBar_ = nullptr;
    Qt::WindowFlags flags_;
    bool menuBarPending_ = false;
    bool placed_ = false;  // shown once, at the place the form asked for
    QPoint modelPlace_;    // the form's left and top in pixels, as last applied or followed
    int applying_ = 0;     // > 0 while the view moves or sizes the window
};

}  // namespace korvo::qt
