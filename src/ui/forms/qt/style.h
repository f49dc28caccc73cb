// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QPalette>
#include <QProxyStyle>

#include "ui/forms/system_colors.h"

namespace korvo::qt {

// The system colours of the design's table (ui/forms/system_colors.h), as Qt takes them.
using forms::SystemColor;
QColor qtColor(SystemColor color);

// Every role of every group set from the table, so that a control never takes a colour from the
// container it sits in, nor from the desktop Korvo runs on.
QPalette systemPalette();

// Fusion with the sizes of the design's desktop: a 13-pixel circle or box beside an option
// button's or a check box's caption, command buttons with a flat face of their colour and a bevel,
// a slider's channel white, disabled text etched.
class Style final : public QProxyStyle {
  public:
    Style();
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returned = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
};

// A 13-pixel circle or box, the caption this far beside it.
inline constexpr int IndicatorSize = 13;
inline constexpr int IndicatorGap = 2;
// A command button's bevel, and the space its caption keeps from it.
inline constexpr int ButtonBevel = 2;
inline constexpr int ButtonTextMargin = 1;
// A frame's groove.
inline constexpr int FrameEdge = 2;

// Where a frame puts its caption on its border: this far from its left edge, with this much of
// its own colour around the text, and the text's top on the frame's top edge.
inline constexpr int FrameCaptionIndent = 8;
inline constexpr int FrameCaptionGap = 2;

// Gives the application the look above, once; later calls change nothing.
void installLook();

}  // namespace korvo::qt
