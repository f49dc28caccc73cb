// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/forms/win32/convert.h"

namespace korvo::win32 {

namespace {

// As far as GDI's 16-bit window coordinates go.
constexpr long long PixelLimit = 30'000;

// The frame or picture box a control sits in; nullptr for the form.
const forms::Control* holder(const forms::Control& control) {
    return dynamic_cast<const forms::Control*>(&control.container());
}

}  // namespace

COLORREF colorref(forms::Color color) {
    return RGB(color.r, color.g, color.b);
}

int toPixels(long long twips, int twipsPerPixel) {
    return forms::toPixels(twips, twipsPerPixel, PixelLimit);
}

RECT pixelRect(const forms::Rect& rect, int twipsPerPixel) {
    const forms::PixelEdges edges = forms::pixelEdges(rect, twipsPerPixel, PixelLimit);
    return {edges.left, edges.top, edges.right, edges.bottom};
}

forms::Rect formRect(const forms::Control& control) {
    forms::Rect rect = control.rect();
    for (const forms::Control* outer = holder(control); outer; outer = holder(*outer)) {
        rect.left += outer->rect().left;
        rect.top += outer->rect().top;
    }
    return rect;
}

bool shown(const forms::Control& control) {
    for (const forms::Control* c = &control; c; c = holder(*c))
        if (!c->visible()) return false;
    return true;
}

LPCWSTR cursorOf(int pointer) {
    switch (pointer) {
        case 2:
            return IDC_CROSS;
        case 3:
            return IDC_IBEAM;
        case 5:
        case 15:
            return IDC_SIZEALL;
        case 6:
            return IDC_SIZENESW;
        case 7:
            return IDC_SIZENS;
        case 8:
            return IDC_SIZENWSE;
        case 9:
            return IDC_SIZEWE;
        case 10:
            return IDC_UPARROW;
        case 11:
            return IDC_WAIT;
        case 12:
            return IDC_NO;
        case 13:
            return IDC_APPSTARTING;
        case 14:
            return IDC_HELP;
        case 99:  // a custom pointer: Korvo's are the hand over a link
            return IDC_HAND;
        default:
            return IDC_ARROW;
    }
}

forms::MouseEvent modelEvent(UINT message, WPARAM wparam, LPARAM lparam, int twipsPerPixel) {
    int button = 0;
    switch (message) {
        case WM_LBUTTONDOWN:
            button = static_cast<int>(forms::MouseButton::Left);
            break;
        case WM_RBUTTONDOWN:
            button = static_cast<int>(forms::MouseButton::Right);
            break;
        case WM_MBUTTONDOWN:
            button = static_cast<int>(forms::MouseButton::Middle);
            break;
        default:  // a move reports the buttons held
            if (wparam & MK_LBUTTON) button |= static_cast<int>(forms::MouseButton::Left);
            if (wparam & MK_RBUTTON) button |= static_cast<int>(forms::MouseButton::Right);
            if (wparam & MK_MBUTTON) button |= static_cast<int>(forms::MouseButton::Middle);
            break;
    }
    int shift = 0;
    if (wparam & MK_SHIFT) shift |= 1;
    if (wparam & MK_CONTROL) shift |= 2;
    if (GetKeyState(VK_MENU) < 0) shift |= 4;
    // The tray icon's notification comes as a mouse move too, its mouse message where x would
    // be: passed on as it is, in twips like any x, for the form's handler to decode.
    const int x = static_cast<short>(LOWORD(lparam));
    const int y = static_cast<short>(HIWORD(lparam));
    return {button, shift, static_cast<float>(x * twipsPerPixel),
            static_cast<float>(y * twipsPerPixel)};
}

}  // namespace korvo::win32
