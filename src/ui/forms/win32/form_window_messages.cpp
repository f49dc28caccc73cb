// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The form window's window procedures: what happens on a form's window and on its controls'
// windows, routed to the model, to the control's adapter or to the system.

#include "ui/forms/win32/convert.h"
#include "ui/forms/win32/form_window.h"

namespace korvo::win32 {

LRESULT CALLBACK FormWindow::windowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* window = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!window || !window->loaded() || window->hwnd_ != hwnd)
        return DefWindowProcW(hwnd, message, wparam, lparam);
    return window->message(message, wparam, lparam);
}

LRESULT FormWindow::message(UINT message, WPARAM wparam, LPARAM lparam) {
    HWND hwnd = hwnd_;  // a handler run from here may unload the form and free this window
    if (const std::optional<LRESULT> answer = fromControl(message, wparam, lparam)) return *answer;
    switch (message) {
        case WM_ERASEBKGND: {
            RECT area{};
            GetClientRect(hwnd, &area);
            FillRect(reinterpret_cast<HDC>(wparam), &area, brush_);
            return 1;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_MOUSEMOVE:
            mouse(nullptr, message, wparam, lparam);
            return 0;
        case WM_CLOSE: {
            // The close box asks the form; its Form_QueryUnload may keep it.
            forms::Form* form = form_;
            binding_.runtime.dispatch([form] { form->requestClose(); });
            return 0;
        }
        case WM_SETFOCUS:  // on to one of its controls
            focusFirst();
            return 0;
        case WM_WINDOWPOSCHANGED:
            if (binding_.applying == 0 && IsWindowVisible(hwnd))
                modelFollowsWindow(*reinterpret_cast<const WINDOWPOS*>(lparam));
            break;
        case RebuildMenuBar:
            rebuildMenuBar();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

// What a control tells its form: a notification, a scroll, the colours to draw it in, the
// pointer over it. nullopt for the form's own messages.
std::optional<LRESULT> FormWindow::fromControl(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COMMAND:
            if (lparam == 0 && HIWORD(wparam) == 0)  // a menu bar command
                menuCommand(LOWORD(wparam));
            else if (movingFocus_ && HIWORD(wparam) == BN_CLICKED)  // see focusOn
                return 0;
            else if (ControlWindow* c = byHandle(lparam); c && binding_.applying == 0)
                c->adapter->command(*c, HIWORD(wparam), binding_.forwarder);
            return 0;
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (ControlWindow* c = byHandle(lparam);
                c && binding_.applying == 0 && LOWORD(wparam) != TB_THUMBTRACK)
                c->adapter->scrolled(*c, binding_.forwarder);
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
            if (ControlWindow* c = byHandle(lparam))
                if (HBRUSH brush = controlColors(*c, reinterpret_cast<HDC>(wparam)))
                    return reinterpret_cast<LRESULT>(brush);
            return std::nullopt;
        case WM_SETCURSOR:
            if (ControlWindow* c = byHandle(static_cast<LPARAM>(wparam));
                c && c->control->mousePointer() != 0 && LOWORD(lparam) == HTCLIENT) {
                SetCursor(LoadCursorW(nullptr, cursorOf(c->control->mousePointer())));
                return TRUE;
            }
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

void FormWindow::menuCommand(UINT id) {
    const auto it = menuIds_.find(id);
    if (it == menuIds_.end()) return;
    forms::Menu* item = it->second;
    binding_.runtime.dispatch([item] { item->click(); });
}

LRESULT CALLBACK FormWindow::controlProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                         UINT_PTR, DWORD_PTR data) {
    auto& c = *reinterpret_cast<ControlWindow*>(data);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, controlProc, 1);
    } else if (c.owner->loaded()) {
        if (const std::optional<LRESULT> answer =
                c.owner->controlMessage(c, message, wparam, lparam))
            return *answer;
    }
    return DefSubclassProc(hwnd, message, wparam, lparam);
}

// A message to a control's own window: presses, moves and the click of a passive control go to
// the model, the rest to the control's adapter. nullopt lets the system control have it.
std::optional<LRESULT> FormWindow::controlMessage(ControlWindow& c, UINT message, WPARAM wparam,
                                                  LPARAM lparam) {
    const bool passive = c.adapter->passive();
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_MOUSEMOVE:
            // Held until the release, which is a click if it comes over the control. A press
            // that starts a window drag takes the capture away, and with it the click.
            if (message == WM_LBUTTONDOWN && passive) SetCapture(c.hwnd);
            mouse(c.control, message, wparam, lparam);
            if (message != WM_MOUSEMOVE && passive) return 0;
            return std::nullopt;
        case WM_LBUTTONUP: {
            if (!passive || GetCapture() != c.hwnd) return std::nullopt;
            ReleaseCapture();
            const POINT at{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
            RECT area{};
            GetClientRect(c.hwnd, &area);
            if (PtInRect(&area, at)) {
                forms::Control* control = c.control;
                binding_.runtime.dispatch([control] { control->pointerClick(); });
            }
            return 0;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            focusMoved(message == WM_SETFOCUS ? c.hwnd : reinterpret_cast<HWND>(wparam));
            return std::nullopt;
        default:
            return c.adapter->message(c, message, wparam, lparam);
    }
}

void FormWindow::mouse(forms::Control* control, UINT message, WPARAM wparam, LPARAM lparam) {
    const forms::MouseEvent event = modelEvent(message, wparam, lparam, twipsPerPixel());
    const bool press = message != WM_MOUSEMOVE;
    forms::Form* form = form_;
    binding_.runtime.dispatch([form, control, event, press] {
        if (control && press) control->mouseDown(event);
        if (control && !press) control->mouseMove(event);
        if (!control && press) form->mouseDown(event);
        if (!control && !press) form->mouseMove(event);
    });
}

}  // namespace korvo::win32
