// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <string>

#include "ui/forms/types.h"

namespace korvo::qt {

// The model's values as Qt takes them. Shared by the window-level code and every control adapter.

// UTF-8 model text as a QString.
QString qtext(const std::string& text);

// A label's caption as shown: '&' marks the access key and "&&" is one ampersand; line breaks
// may come in Windows style.
QString labelText(const std::string& caption);

QColor qcolor(forms::Color color);

// Pixels from twips, rounded, held to what a widget can take.
int toPixels(long long twips, int twipsPerPixel);

// The rectangle in pixels, each edge rounded on its own (forms::pixelEdges).
QRect pixelRect(const forms::Rect& rect, int twipsPerPixel);

// The shape for a control's MousePointer (0 is the window system's default, 99 Korvo's custom
// pointer, the hand over a link).
Qt::CursorShape cursorShape(int pointer);

}  // namespace korvo::qt
