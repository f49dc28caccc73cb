// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/forms/runtime.h"
#include "ui/forms/win32/control_adapter.h"
#include "ui/forms/win32/win32.h"

namespace korvo::win32 {

class WindowServices;

// What the view shares with its form windows.
struct Binding {
    forms::Runtime& runtime;
    WindowServices& services;
    Forwarder& forwarder;
    HWND owner = nullptr;  // hidden: owns the windows kept off the task bar
    int applying = 0;      // > 0 while the view itself moves, sizes or fills windows
    // Where the user last put the window of each form (by its name), for its next window too.
    std::map<std::string, POINT> userPlaces{};
};

// While one lives, the view is changing its own windows: the notifications and moves that raises
// are the model's own news, not the user's.
class Applying {
  public:
    explicit Applying(Binding& binding) : binding_(binding) { ++binding_.applying; }
    ~Applying() { --binding_.applying; }
    Applying(const Applying&) = delete;
    Applying& operator=(const Applying&) = delete;

  private:
    Binding& binding_;
};

// Registers one of the binding's window classes; a second view finds it already there.
void registerWindowClass(const wchar_t* name, WNDPROC proc, UINT style = 0);

// A key that moves the focus between a form's controls or presses its buttons, handled; false for
// any other message, which the loop then translates and dispatches.
bool dialogMessage(const MSG& message);

// The window-level half of the view, for one loaded form: its top-level window, with styles from
// the border style and the task-bar setting; geometry, caption, icon and background from the
// model; the menu bar; the model following the window when the user moves or sizes it. It routes
// what happens on the window and on its controls: a control's notifications to its adapter, mouse
// presses and moves and the close box to the model, and it answers the colours each control asks
// to be drawn in. It owns the window and the controls' windows.
class FormWindow {
  public:
    FormWindow(forms::Form& form, Binding& binding);
    ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    // The form is unloaded: the window hides at once and reaches the form no more. The view
    // destroys it from the message loop, since it may be handling a message of its own right now
    // (its close box, one of its buttons).
    void retire();

    // The form window that is `hwnd`; nullptr for any other window.
    static FormWindow* fromHandle(HWND hwnd);

    bool loaded() const { return form_ != nullptr; }
    forms::Form& form() const { return *form_; }  // only while loaded
    HWND hwnd() const { return hwnd_; }
    HICON smallIcon() const { return smallIcon_; }
    WindowServices& services() const { return binding_.services; }
    int twipsPerPixel() const;

    // Takes in a control's window, made by its adapter: its mouse messages come here first, and
    // it lies above the controls taken in before.
    void adopt(std::unique_ptr<ControlWindow> control);
    ControlWindow* find(const forms::Control& control) const;

    // Shows one property of the form.
    void apply(forms::FormProperty property);
    // Shows the window, and brings it to the front. The first time, it is put where the form's
    // start-up position says (see place()).
    void show();
    // The control's background: its own BackColor, else what its adapter's Paint says.
    void applyColors(ControlWindow& control);
    // `changed` moved or took another colour: what the controls without a colour of their own
    // lie on may have changed with it.
    void backdropChanged(const ControlWindow* changed);
    // The menu bar from the form's menus, now or (after a change of a menu) from the message loop.
    void rebuildMenuBar();
    void scheduleMenuBar();

    // A key pressed in the window (dialogMessage): Tab and Shift+Tab walk the form's tab order,
    // the option buttons of one container making one stop; the arrows move between those; Enter
    // and Escape go to the form. False when the focused control keeps the key.
    bool dialogKey(const MSG& message);

  private:
    static constexpr wchar_t ClassName[] = L"KorvoForm";
    static constexpr UINT RebuildMenuBar = WM_APP + 2;  // posted to the form's window

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    static LRESULT CALLBACK controlProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                        UINT_PTR id, DWORD_PTR data);
    LRESULT message(UINT message, WPARAM wparam, LPARAM lparam);
    std::optional<LRESULT> fromControl(UINT message, WPARAM wparam, LPARAM lparam);
    std::optional<LRESULT> controlMessage(ControlWindow& control, UINT message, WPARAM wparam,
                                          LPARAM lparam);
    ControlWindow* byHandle(LPARAM handle) const;
    void mouse(forms::Control* control, UINT message, WPARAM wparam, LPARAM lparam);
    void menuCommand(UINT id);
    // The colour a control paints its background in; nullopt when it shows what lies beneath
    // it or leaves the colour to the system control.
    static std::optional<COLORREF> painted(const forms::Control& control);
    std::optional<COLORREF> backdrop(const forms::Control& control) const;
    HBRUSH controlColors(const ControlWindow& control, HDC dc) const;
    // The keyboard (keyboard.cpp).
    ControlWindow* controlOf(HWND hwnd) const;
    std::vector<std::vector<ControlWindow*>> tabGroups() const;
    void focusOn(ControlWindow& control, bool byKey);
    void focusFirst();
    void tab(ControlWindow* from, bool backwards);
    void arrow(ControlWindow& from, bool backwards);
    void focusMoved(HWND to);
    void applyIcon();
    void applyFlags();
    void applyGeometry();
    void place();
    void modelFollowsWindow(const WINDOWPOS& change);

    forms::Form* form_;  // nullptr once retired
    Binding& binding_;
    HWND hwnd_ = nullptr;
    HBRUSH brush_ = nullptr;
    HICON bigIcon_ = nullptr, smallIcon_ = nullptr;
    HMENU menuBar_ = nullptr;
    bool menuBarPending_ = false;
    std::map<UINT, forms::Menu*> menuIds_;
    std::map<const forms::Control*, std::unique_ptr<ControlWindow>> controls_;
    std::map<HWND, ControlWindow*> byHandle_;
    std::optional<forms::Rect> known_;  // the model's place and size as last shown
    bool placed_ = false;               // put in its first place, shown once
    HWND lastFocus_ = nullptr;          // the control that had the focus last
    bool movingFocus_ = false;          // while the keyboard moves the focus
};

}  // namespace korvo::win32
