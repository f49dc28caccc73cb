// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/forms/control.h"
#include "ui/forms/types.h"
#include "ui/forms/win32/win32.h"

namespace korvo::win32 {

// The model's values as the window system takes them. Shared by the form windows and every
// control adapter.

COLORREF colorref(forms::Color color);

// Pixels from twips, rounded, held to what GDI's 16-bit window coordinates can take.
int toPixels(long long twips, int twipsPerPixel);

// The rectangle in pixels, each edge rounded on its own (forms::pixelEdges).
RECT pixelRect(const forms::Rect& rect, int twipsPerPixel);

// The control's place in its form's client area, in twips: every control is a child of the form's
// window, placed by its position inside its frames and picture boxes.
forms::Rect formRect(const forms::Control& control);

// Visible, and inside containers that are all visible.
bool shown(const forms::Control& control);

// The system cursor for a control's MousePointer (99 is Korvo's custom pointer, the hand over a
// link); the arrow for 0 and for what the window system has no cursor for.
LPCWSTR cursorOf(int pointer);

// A press or move as the model's mouse handlers take it, x and y in twips.
forms::MouseEvent modelEvent(UINT message, WPARAM wparam, LPARAM lparam, int twipsPerPixel);

}  // namespace korvo::win32
