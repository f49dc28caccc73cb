// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPalette>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "ui/forms/adapter_table.h"
#include "ui/forms/control.h"

class QWidget;

namespace korvo::qt {

// How an adapter hands the user's action on. The view implements it: it finds the control the
// widget stands for (none once its form is unloaded), runs `action` on it as one dispatched
// event and, when `refresh` is given, shows that property of the model again, because a handler
// may have refused or changed what the user did. Adapters connect their widgets' signals with
// the forwarder as context, so no signal outlives it.
class Forwarder : public QObject {
  public:
    virtual void forward(QWidget* source, const std::function<void(forms::Control&)>& action,
                         std::optional<forms::Property> refresh = {}) = 0;

    // forward() for a control of a known class.
    template <class C, class Action>
    void forwardTo(QWidget* source, Action action, std::optional<forms::Property> refresh = {}) {
        forward(
            source, [&action](forms::Control& control) { action(static_cast<C&>(control)); },
            refresh);
    }
};

// Which colours of the palette a kind paints with its ForeColor and BackColor.
enum class Paint {
    Plain,        // window text on the window colour, filled
    Transparent,  // like Plain, but filled only when the control has a BackColor (labels)
    Button,       // button text on the button colour
    Field,        // text on the base colour of an edit or list
    None,         // no colours of its own (images)
};

// Everything that differs between control kinds, for one kind. The view does what all kinds
// share (geometry, enabled, visible, font, pointer, colours by Paint, mouse routing); the
// adapter creates the widget, shows the properties the kind has its own way of showing and
// connects the user's actions to the forwarder. A binding for another toolkit has the same
// split: one adapter per kind, found by kind.
class ControlAdapter {
  public:
    virtual ~ControlAdapter() = default;
    // The control's widget, its signals connected; nullptr for kinds without one.
    virtual QWidget* create(forms::Control& control, QWidget* parent,
                            Forwarder& forwarder) const = 0;
    // Shows one property (Caption, Value, List, ListIndex, Picture, Locked); the others and
    // the ones a kind does not have are ignored. Called with the widget's signals blocked.
    virtual void show(const forms::Control& /*control*/, QWidget* /*widget*/,
                      forms::Property /*property*/) const {}
    virtual Paint paint() const { return Paint::Plain; }
    // A control that does nothing with a mouse button itself: presses and moves over it are
    // its own and do not reach its container.
    virtual bool passive() const { return false; }
    // A control that does something of its own with Enter, which then does not reach the form.
    virtual bool usesEnter() const { return false; }
};

// The adapter of a kind; kinds without a widget (timers, menus) get one that makes none.
const ControlAdapter& adapterFor(forms::ControlKind kind);

// Sets the control's colours on `base` as its adapter paints them.
void paintControl(const forms::Control& control, QWidget* widget, Paint paint,
                  const QPalette& base);

// The adapters, one a kind, defined beside the widgets they make.
using AdapterList = forms::AdapterList<ControlAdapter>;
AdapterList buttonAdapters();   // labels, buttons, option buttons, check boxes, frames
AdapterList editAdapters();     // text boxes, editable drop-down lists, sliders
AdapterList listAdapters();     // drive, folder and file lists
AdapterList pictureAdapters();  // picture boxes and images

}  // namespace korvo::qt
