// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/forms/qt/control_adapter.h"

#include <QWidget>

#include "ui/forms/qt/convert.h"

namespace korvo::qt {

namespace {

using forms::ControlKind;

// Timers and menus: the runtime drives the one, the window's menu bar and popups show the other.
class NoWidget final : public ControlAdapter {
  public:
    QWidget* create(forms::Control&, QWidget*, Forwarder&) const override { return nullptr; }
};

}  // namespace

const ControlAdapter& adapterFor(ControlKind kind) {
    static const NoWidget none;
    static const forms::AdapterTable<ControlAdapter> adapters{buttonAdapters, editAdapters,
                                                              listAdapters, pictureAdapters};
    return adapters.find(kind, none);
}

void paintControl(const forms::Control& control, QWidget* widget, Paint paint,
                  const QPalette& base) {
    if (paint == Paint::None) return;
    QPalette palette = base;
    const QColor fore = qcolor(control.foreColor());
    const std::optional<QColor> back =
        control.backColor() ? std::optional<QColor>(qcolor(*control.backColor())) : std::nullopt;
    // Disabled text keeps the window system's grey: that is how a disabled control looks.
    const auto setFore = [&](QPalette::ColorRole role) {
        palette.setColor(QPalette::Active, role, fore);
        palette.setColor(QPalette::Inactive, role, fore);
    };
    const auto setBack = [&](QPalette::ColorRole role) {
        if (back) palette.setColor(role, *back);
    };
    bool fill = false;
    switch (paint) {
        case Paint::Button:
            setFore(QPalette::ButtonText);
            setBack(QPalette::Button);
            break;
        case Paint::Field:
            setFore(QPalette::Text);
            setFore(QPalette::ButtonText);
            setBack(QPalette::Base);
            setBack(QPalette::Button);
            break;
        case Paint::Plain:
        case Paint::Transparent:
        case Paint::None:
            setFore(QPalette::WindowText);
            setFore(QPalette::Text);
            // Buttons fill with the button role: an option button or a check box, too, is
            // exactly its colour, or its container's.
            setBack(QPalette::Window);
            setBack(QPalette::Button);
            fill = back.has_value() || paint == Paint::Plain;
            break;
    }
    widget->setPalette(palette);
    widget->setAutoFillBackground(fill);
}

}  // namespace korvo::qt
