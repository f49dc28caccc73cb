// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/forms/qt/convert.h"

#include <algorithm>
#include <cmath>

namespace korvo::qt {

QString qtext(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString labelText(const std::string& caption) {
    QString in = qtext(caption);
    in.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    in.replace(u'\r', u'\n');
    QString out;
    out.reserve(in.size());
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] != u'&') {
            out += in[i];
        } else if (i + 1 < in.size()) {
            out += in[++i];  // "&x" shows x, "&&" shows one ampersand
        }
    }
    return out;
}

QColor qcolor(forms::Color color) {
    return QColor(color.r, color.g, color.b);
}

// As far as a widget's geometry goes.
constexpr long long PixelLimit = 8'000'000;

int toPixels(long long twips, int twipsPerPixel) {
    return forms::toPixels(twips, twipsPerPixel, PixelLimit);
}

QRect pixelRect(const forms::Rect& rect, int twipsPerPixel) {
    const forms::PixelEdges edges = forms::pixelEdges(rect, twipsPerPixel, PixelLimit);
    return {edges.left, edges.top, edges.right - edges.left, edges.bottom - edges.top};
}

Qt::CursorShape cursorShape(int pointer) {
    switch (pointer) {
        case 2:
            return Qt::CrossCursor;
        case 3:
            return Qt::IBeamCursor;
        case 5:
        case 15:
            return Qt::SizeAllCursor;
        case 6:
            return Qt::SizeBDiagCursor;
        case 7:
            return Qt::SizeVerCursor;
        case 8:
            return Qt::SizeFDiagCursor;
        case 9:
            return Qt::SizeHorCursor;
        case 10:
            return Qt::UpArrowCursor;
        case 11:
            return Qt::WaitCursor;
        case 12:
            return Qt::ForbiddenCursor;
        case 13:
            return Qt::BusyCursor;
        case 14:
            return Qt::WhatsThisCursor;
        case 99:  // a custom pointer: Korvo's are the hand over a link
            return Qt::PointingHandCursor;
        default:
            return Qt::ArrowCursor;
    }
}

}  // namespace korvo::qt
