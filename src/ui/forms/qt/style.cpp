// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/forms/qt/style.h"

#include <qdrawutil.h>
#include <QApplication>
#include <QPainter>
#include <QStyleOption>

namespace korvo::qt {

namespace {

// A text box's sunken edge.
constexpr int FieldEdge = 2;

}  // namespace

QColor qtColor(SystemColor color) {
    const forms::Color c = forms::systemColor(color);
    return {c.r, c.g, c.b};
}

QPalette systemPalette() {
    using C = SystemColor;
    using R = QPalette;
    const std::pair<QPalette::ColorRole, SystemColor> roles[] = {
        {R::Window, C::ButtonFace},
        {R::WindowText, C::WindowText},
        {R::Base, C::Window},
        {R::AlternateBase, C::ButtonLight},
        {R::ToolTipBase, C::InfoBackground},
        {R::ToolTipText, C::InfoText},
        {R::PlaceholderText, C::GrayText},
        {R::Text, C::WindowText},
        {R::Button, C::ButtonFace},
        {R::ButtonText, C::WindowText},
        {R::BrightText, C::ButtonHighlight},
        {R::Light, C::ButtonHighlight},
        {R::Midlight, C::ButtonLight},
        {R::Dark, C::ButtonShadow},
        {R::Mid, C::ButtonShadow},
        {R::Shadow, C::ButtonDarkShadow},
        {R::Highlight, C::Highlight},
        {R::HighlightedText, C::HighlightText},
        {R::Link, C::Highlight},
        {R::LinkVisited, C::Highlight},
    };
    QPalette palette;
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        const auto g = static_cast<QPalette::ColorGroup>(group);
        for (const auto& [role, color] : roles) palette.setColor(g, role, qtColor(color));
        if (g != QPalette::Disabled) continue;
        for (QPalette::ColorRole text : {R::WindowText, R::Text, R::ButtonText})
            palette.setColor(g, text, qtColor(C::GrayText));
    }
    return palette;
}

Style::Style() : QProxyStyle(QStringLiteral("Fusion")) {}

int Style::pixelMetric(PixelMetric metric, const QStyleOption* option,
                       const QWidget* widget) const {
    switch (metric) {
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
            return IndicatorSize;
        case PM_RadioButtonLabelSpacing:
        case PM_CheckBoxLabelSpacing:
            return IndicatorGap;
        case PM_DefaultFrameWidth:
            return FieldEdge;
        case PM_ButtonMargin:
            return 2 * ButtonTextMargin;
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

int Style::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                     QStyleHintReturn* returned) const {
    // Disabled text is grey with a lit edge, as the design's desktop draws it.
    if (hint == SH_EtchDisabledText) return 1;
    return QProxyStyle::styleHint(hint, option, widget, returned);
}

void Style::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                          const QWidget* widget) const {
    const QPalette& palette = option->palette;
    switch (element) {
        case PE_PanelButtonCommand: {
            // The face exactly the button's colour; a default button is ringed dark.
            const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
            const bool ringed = button && (button->features & QStyleOptionButton::DefaultButton);
            const bool down = option->state & (State_Sunken | State_On);
            QRect face = option->rect;
            if (ringed) {
                painter->setPen(palette.color(QPalette::Shadow));
                painter->setBrush(Qt::NoBrush);
                painter->drawRect(face.adjusted(0, 0, -1, -1));
                face.adjust(1, 1, -1, -1);
            }
            const QBrush fill = palette.button();
            if (down && ringed) {
                painter->fillRect(face, fill);
                painter->setPen(palette.color(QPalette::Dark));
                painter->drawRect(face.adjusted(0, 0, -1, -1));
            } else {
                qDrawWinButton(painter, face, palette, down, &fill);
            }
            if (option->state & State_HasFocus) {
                QStyleOptionFocusRect focus;
                focus.QStyleOption::operator=(*option);
                focus.rect = face.adjusted(3, 3, -3, -3);
                proxy()->drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
            }
            return;
        }
        case PE_PanelLineEdit: {
            // White inside a sunken edge; the edit of a combo box has its box's edge instead.
            const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
            if (frame && frame->lineWidth <= 0) {
                painter->fillRect(option->rect, palette.base());
                return;
            }
            qDrawWinPanel(painter, option->rect, palette, true, &palette.base());
            // The focus shows on a box that shows no caret (a locked one) too.
            if (option->state & State_HasFocus) {
                painter->setPen(palette.color(QPalette::Highlight));
                painter->setBrush(Qt::NoBrush);
                painter->drawRect(
                    option->rect.adjusted(FieldEdge, FieldEdge, -FieldEdge - 1, -FieldEdge - 1));
            }
            return;
        }
        case PE_FrameLineEdit:
            qDrawWinPanel(painter, option->rect, palette, true, nullptr);
            return;
        default:
            QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}

void Style::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                               QPainter* painter, const QWidget* widget) const {
    if (control == CC_Slider) {
        // A white channel, as the design's trackbar has, not one filled with the selection's
        // colour up to the thumb.
        QStyleOptionSlider slider;
        if (const auto* given = qstyleoption_cast<const QStyleOptionSlider*>(option)) {
            slider = *given;
            slider.palette.setColor(QPalette::Highlight, slider.palette.color(QPalette::Base));
            return QProxyStyle::drawComplexControl(control, &slider, painter, widget);
        }
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

void installLook() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QApplication::setStyle(new Style);
    QApplication::setPalette(systemPalette());
}

}  // namespace korvo::qt
