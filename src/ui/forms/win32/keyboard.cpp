// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The form window's keyboard: the keys a dialog box answers, taken from the message loop before
// the focused control sees them, as IsDialogMessage does, but in the order the form gives
// (Form::tabOrder) and with Enter and Escape pressing the buttons the form names.

#include <algorithm>
#include <cstddef>
#include <vector>

#include "ui/forms/win32/convert.h"
#include "ui/forms/win32/form_window.h"

namespace korvo::win32 {

namespace {

// Option buttons side by side in one container make one stop of the Tab key; the arrows move
// between them.
bool sameGroup(const forms::Control& a, const forms::Control& b) {
    return a.kind() == forms::ControlKind::OptionButton &&
           b.kind() == forms::ControlKind::OptionButton && &a.container() == &b.container();
}

bool selected(const ControlWindow* c) {
    return c->control->kind() == forms::ControlKind::OptionButton &&
           static_cast<const forms::OptionButton&>(*c->control).value();
}

// A group's stop: its selected option button, else its first.
ControlWindow* stopOf(const std::vector<ControlWindow*>& group) {
    const auto chosen = std::find_if(group.begin(), group.end(), selected);
    return chosen != group.end() ? *chosen : group.front();
}

bool dropped(const ControlWindow& c) {
    const auto kind = c.control->kind();
    return (kind == forms::ControlKind::ComboBox || kind == forms::ControlKind::DriveList) &&
           SendMessageW(c.hwnd, CB_GETDROPPEDSTATE, 0, 0);
}

}  // namespace

bool dialogMessage(const MSG& message) {
    if (message.message != WM_KEYDOWN || !message.hwnd) return false;
    FormWindow* window = FormWindow::fromHandle(GetAncestor(message.hwnd, GA_ROOT));
    return window && window->loaded() && window->dialogKey(message);
}

FormWindow* FormWindow::fromHandle(HWND hwnd) {
    wchar_t type[32] = {};
    if (!hwnd || !GetClassNameW(hwnd, type, 32) || std::wstring_view(type) != ClassName)
        return nullptr;
    return reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

ControlWindow* FormWindow::controlOf(HWND hwnd) const {
    // A combo box's edit line has the focus for its combo box.
    for (; hwnd && hwnd != hwnd_; hwnd = GetParent(hwnd))
        if (ControlWindow* c = byHandle(reinterpret_cast<LPARAM>(hwnd))) return c;
    return nullptr;
}

std::vector<std::vector<ControlWindow*>> FormWindow::tabGroups() const {
    // What can take the focus: shown, enabled and where the user sees it (the folder browsers
    // keep a box below their client area).
    RECT client{};
    GetClientRect(hwnd_, &client);
    std::vector<std::vector<ControlWindow*>> groups;
    for (forms::Control* control : form_->tabOrder()) {
        ControlWindow* c = find(*control);
        if (!c || !IsWindowVisible(c->hwnd) || !IsWindowEnabled(c->hwnd)) continue;
        const RECT place = pixelRect(formRect(*control), twipsPerPixel());
        RECT common{};
        if (!IntersectRect(&common, &place, &client)) continue;
        if (!groups.empty() && sameGroup(*groups.back().back()->control, *control))
            groups.back().push_back(c);
        else
            groups.push_back({c});
    }
    return groups;
}

void FormWindow::focusOn(ControlWindow& c, bool byKey) {
    // A radio button that takes the focus tells its parent it was clicked (Windows does, when it
    // is not ticked): the focus only moves here, the Space bar or an arrow selects.
    movingFocus_ = true;
    SetFocus(c.hwnd);
    movingFocus_ = false;
    // Once the keyboard is used the window shows where the focus is.
    if (byKey) SendMessageW(hwnd_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

void FormWindow::focusFirst() {
    ControlWindow* last = controlOf(lastFocus_);
    if (last && IsWindowEnabled(last->hwnd) && IsWindowVisible(last->hwnd))
        return focusOn(*last, false);
    const auto groups = tabGroups();
    if (!groups.empty()) focusOn(*stopOf(groups.front()), false);
}

void FormWindow::tab(ControlWindow* from, bool backwards) {
    const auto groups = tabGroups();
    if (groups.empty()) return;
    const auto at = std::find_if(groups.begin(), groups.end(), [from](const auto& group) {
        return std::find(group.begin(), group.end(), from) != group.end();
    });
    const auto count = static_cast<std::ptrdiff_t>(groups.size());
    std::ptrdiff_t next = backwards ? count - 1 : 0;
    if (at != groups.end()) next = ((at - groups.begin()) + (backwards ? count - 1 : 1)) % count;
    focusOn(*stopOf(groups[static_cast<std::size_t>(next)]), true);
}

void FormWindow::arrow(ControlWindow& from, bool backwards) {
    for (const auto& group : tabGroups()) {
        const auto at = std::find(group.begin(), group.end(), &from);
        if (at == group.end()) continue;
        const auto count = static_cast<std::ptrdiff_t>(group.size());
        const std::ptrdiff_t next = ((at - group.begin()) + (backwards ? count - 1 : 1)) % count;
        ControlWindow& to = *group[static_cast<std::size_t>(next)];
        focusOn(to, true);
        forms::Control* control = to.control;
        binding_.runtime.dispatch(
            [control] { static_cast<forms::OptionButton*>(control)->select(); });
        return;
    }
}

bool FormWindow::dialogKey(const MSG& message) {
    const auto key = static_cast<UINT>(message.wParam);
    HWND focus = GetFocus();
    ControlWindow* focused = controlOf(focus);
    // What the focused control wants for itself, it gets: an open drop-down list its Enter and
    // Escape, an edit line its arrows.
    const LRESULT wants =
        focus ? SendMessageW(focus, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&message)) : 0;
    if ((wants & (DLGC_WANTMESSAGE | DLGC_WANTALLKEYS)) || (focused && dropped(*focused)))
        return false;
    forms::Form* form = form_;
    switch (key) {
        case VK_TAB:
            if ((wants & DLGC_WANTTAB) || GetKeyState(VK_CONTROL) < 0) return false;
            tab(focused, GetKeyState(VK_SHIFT) < 0);
            return true;
        case VK_RETURN: {
            forms::Control* control = focused ? focused->control : nullptr;
            binding_.runtime.dispatch([form, control] { form->enterPressed(control); });
            return true;
        }
        case VK_ESCAPE:
            binding_.runtime.dispatch([form] { form->escapePressed(); });
            return true;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            if (!focused || focused->control->kind() != forms::ControlKind::OptionButton)
                return false;
            arrow(*focused, key == VK_LEFT || key == VK_UP);
            return true;
        default:
            return false;
    }
}

void FormWindow::focusMoved(HWND to) {
    if (ControlWindow* c = controlOf(to)) lastFocus_ = c->hwnd;
    // A focused push button is the one Enter presses, and looks it; otherwise the form's default
    // button does.
    ControlWindow* focused = controlOf(to);
    if (focused && focused->control->kind() != forms::ControlKind::CommandButton) focused = nullptr;
    for (auto& [model, c] : controls_) {
        if (model->kind() != forms::ControlKind::CommandButton) continue;
        const bool pressedByEnter =
            focused ? c.get() == focused
                    : static_cast<const forms::CommandButton&>(*model).isDefault();
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(c->hwnd, GWL_STYLE));
        const DWORD type = pressedByEnter ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        if ((style & BS_TYPEMASK) != type)
            SendMessageW(c->hwnd, BM_SETSTYLE, (style & ~DWORD{BS_TYPEMASK}) | type, TRUE);
    }
}

}  // namespace korvo::win32
