// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/forms/qt/view.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QSignalBlocker>
#include <QWidget>
#include <map>
#include <unordered_map>
#include <vector>

#include "ui/forms/qt/control_adapter.h"
#include "ui/forms/qt/convert.h"
#include "ui/forms/qt/fonts.h"
#include "ui/forms/qt/form_window.h"
#include "ui/forms/qt/style.h"
#include "ui/forms/qt/window_services.h"

namespace korvo::qt {

namespace {

using forms::FormProperty;
using forms::Property;

forms::MouseEvent modelEvent(const QMouseEvent& event, int twipsPerPixel) {
    const Qt::MouseButtons buttons =
        event.type() == QEvent::MouseMove ? event.buttons() : Qt::MouseButtons(event.button());
    int button = 0;
    if (buttons & Qt::LeftButton) button |= static_cast<int>(forms::MouseButton::Left);
    if (buttons & Qt::RightButton) button |= static_cast<int>(forms::MouseButton::Right);
    if (buttons & Qt::MiddleButton) button |= static_cast<int>(forms::MouseButton::Middle);
    int shift = 0;
    if (event.modifiers() & Qt::ShiftModifier) shift |= 1;
    if (event.modifiers() & Qt::ControlModifier) shift |= 2;
    if (event.modifiers() & Qt::AltModifier) shift |= 4;
    const QPointF at = event.position() * twipsPerPixel;
    return {button, shift, static_cast<float>(at.x()), static_cast<float>(at.y())};
}

}  // namespace

// Keeps one FormWindow per loaded form and one widget per control, made by the control's
// adapter, and routes what happens on them back to the model.
class View::Impl final : public Forwarder {
  public:
    Impl(forms::Runtime& runtime, WindowServices& services)
        : runtime_(runtime), services_(services), palette_(systemPalette()) {}

    ~Impl() override {
        forms_.clear();
        for (const QPointer<FormWindow>& window : retired_) delete window;
    }

    void loaded(forms::Form& form);
    void unloaded(forms::Form& form);
    void controlChanged(forms::Control& control, Property property);

    FormWindow* find(const forms::Form& form) const {
        const auto it = forms_.find(&form);
        return it == forms_.end() ? nullptr : it->second.get();
    }
    QWidget* widget(const forms::Control& control) const {
        const FormWindow* window = find(control.form());
        if (!window) return nullptr;
        const auto it = window->widgets.find(&control);
        return it == window->widgets.end() ? nullptr : it->second;
    }

    void forward(QWidget* source, const std::function<void(forms::Control&)>& action,
                 std::optional<Property> refresh) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // What a widget stands for: a control, or (control null) the form of a window or client.
    struct Target {
        FormWindow* window;
        forms::Control* control;
    };

    int twipsPerPixel() const { return services_.twipsPerPixelX(); }
    void createControl(FormWindow& window, forms::Control& control);
    void walkInTabOrder(FormWindow& window);
    void applyControl(forms::Control& control, QWidget* widget, Property property);
    void nameForAccessibility(const forms::Control& control);
    bool mouseEvent(const Target& target, const QWidget& widget, QMouseEvent& event);
    bool keyPressed(const Target& target, const QKeyEvent& event);

    forms::Runtime& runtime_;
    WindowServices& services_;
    QPalette palette_;
    std::map<const forms::Form*, std::unique_ptr<FormWindow>> forms_;
    std::unordered_map<const QObject*, Target> targets_;
    std::vector<QPointer<FormWindow>> retired_;  // of unloaded forms, deleted later
};

void View::Impl::loaded(forms::Form& form) {
    if (find(form)) return;
    auto owned = std::make_unique<FormWindow>(form, runtime_, services_, palette_);
    FormWindow& window = *owned;
    forms_.emplace(&form, std::move(owned));
    for (QWidget* watched : {window.window(), window.client()}) {
        watched->installEventFilter(this);
        targets_[watched] = {&window, nullptr};
    }
    // Made in declaration order, so that a control declared later lies on top.
    for (forms::Control* control : form.controls()) createControl(window, *control);
    walkInTabOrder(window);
    window.rebuildMenuBar();
    for (FormProperty property :
         {FormProperty::Caption, FormProperty::Colors, FormProperty::Icon, FormProperty::Geometry})
        window.apply(property);
    if (form.visible()) window.show();
}

void View::Impl::walkInTabOrder(FormWindow& window) {
    // Tab stops at what a user can operate, in the form's order; nothing else takes the focus.
    for (const auto& [control, widget] : window.widgets) widget->setFocusPolicy(Qt::NoFocus);
    QWidget* previous = nullptr;
    for (forms::Control* control : window.form().tabOrder()) {
        const auto it = window.widgets.find(control);
        if (it == window.widgets.end()) continue;
        it->second->setFocusPolicy(Qt::StrongFocus);
        if (previous) QWidget::setTabOrder(previous, it->second);
        previous = it->second;
    }
}

void View::Impl::unloaded(forms::Form& form) {
    const auto it = forms_.find(&form);
    if (it == forms_.end()) return;
    FormWindow* window = it->second.release();
    forms_.erase(it);
    // Forgotten first, so that nothing the window still does reaches the form.
    for (const auto& [control, widget] : window->widgets) targets_.erase(widget);
    targets_.erase(window->client());
    targets_.erase(window->window());
    window->retire();
    std::erase_if(retired_, [](const QPointer<FormWindow>& gone) { return gone.isNull(); });
    retired_.emplace_back(window);
}

void View::Impl::createControl(FormWindow& window, forms::Control& control) {
    QWidget* parent = window.client();
    if (&control.container() != &window.form()) {
        auto* holder = dynamic_cast<forms::Control*>(&control.container());
        const auto it = window.widgets.find(holder);
        if (it != window.widgets.end()) parent = it->second;
    }
    const ControlAdapter& adapter = adapterFor(control.kind());
    QWidget* widget = adapter.create(control, parent, *this);
    if (!widget) return;
    QString name = qtext(control.name());
    if (control.index() >= 0) name += QStringLiteral("(%1)").arg(control.index());
    widget->setObjectName(name);
    window.widgets[&control] = widget;
    targets_[widget] = {&window, &control};
    widget->installEventFilter(this);
    if (adapter.passive()) widget->setMouseTracking(true);
    for (Property property :
         {Property::Geometry, Property::Colors, Property::Font, Property::List, Property::ListIndex,
          Property::Caption, Property::Value, Property::Picture, Property::Locked,
          Property::Enabled, Property::Visible, Property::MousePointer})
        applyControl(control, widget, property);
}

void View::Impl::controlChanged(forms::Control& control, Property property) {
    FormWindow* window = find(control.form());
    if (!window) return;
    if (control.kind() == forms::ControlKind::Menu) {
        window->scheduleMenuBar();
        return;
    }
    const auto it = window->widgets.find(&control);
    if (it != window->widgets.end()) applyControl(control, it->second, property);
}

void View::Impl::applyControl(forms::Control& control, QWidget* widget, Property property) {
    // Signals a model update raises are the model's own news, not the user's.
    const QSignalBlocker blocker(widget);
    const ControlAdapter& adapter = adapterFor(control.kind());
    switch (property) {
        case Property::Enabled:
            widget->setEnabled(control.effectivelyEnabled());
            break;
        case Property::Visible:
            widget->setVisible(control.visible());
            break;
        case Property::Geometry:
            widget->setGeometry(pixelRect(control.rect(), twipsPerPixel()));
            break;
        case Property::Colors:
            paintControl(control, widget, adapter.paint(), palette_);
            break;
        case Property::Font:
            if (control.hasFont()) widget->setFont(toQFont(control.font()));
            break;
        case Property::MousePointer:
            if (control.mousePointer() == 0)
                widget->unsetCursor();
            else
                widget->setCursor(cursorShape(control.mousePointer()));
            break;
        case Property::Caption:
            adapter.show(control, widget, property);
            nameForAccessibility(control);
            break;
        default:
            adapter.show(control, widget, property);
            break;
    }
}

void View::Impl::nameForAccessibility(const forms::Control& control) {
    // What a screen reader says for a control: its caption; for one that shows data instead (a
    // text box, a list, a slider), the caption of the frame it sits in.
    const auto name = [](const forms::Control& of) {
        for (const forms::Control* c = &of; c;
             c = dynamic_cast<const forms::Control*>(&c->container())) {
            if (c != &of && c->kind() != forms::ControlKind::Frame) continue;
            switch (c->kind()) {
                case forms::ControlKind::Label:
                case forms::ControlKind::CommandButton:
                case forms::ControlKind::OptionButton:
                case forms::ControlKind::CheckBox:
                case forms::ControlKind::Frame:
                    if (!c->caption().empty()) return labelText(c->caption());
                    break;
                default:
                    break;
            }
        }
        return QString();
    };
    if (QWidget* widget = this->widget(control)) widget->setAccessibleName(name(control));
    if (control.kind() != forms::ControlKind::Frame) return;
    for (const forms::Control* inside : static_cast<const forms::Frame&>(control).children())
        if (QWidget* widget = this->widget(*inside)) widget->setAccessibleName(name(*inside));
}

void View::Impl::forward(QWidget* source, const std::function<void(forms::Control&)>& action,
                         std::optional<Property> refresh) {
    const auto it = targets_.find(source);
    if (it == targets_.end() || !it->second.control) return;
    forms::Control* control = it->second.control;
    runtime_.dispatch([control, &action] { action(*control); });
    if (!refresh) return;
    const auto after = targets_.find(source);  // the event may have unloaded the form
    if (after != targets_.end()) applyControl(*after->second.control, source, *refresh);
}

bool View::Impl::mouseEvent(const Target& target, const QWidget& widget, QMouseEvent& event) {
    forms::Control* control = target.control;
    // Read first: the event may unload the form.
    const bool own = !control || adapterFor(control->kind()).passive();
    if (event.type() == QEvent::MouseButtonRelease) {
        // Released where it was pressed (the press's widget gets the release): a click. A press
        // that began a window drag ends in the window manager, with no release here.
        if (!control || !own || event.button() != Qt::LeftButton ||
            !widget.rect().contains(event.position().toPoint()))
            return false;
        runtime_.dispatch([control] { control->pointerClick(); });
        return true;
    }
    const forms::MouseEvent mouse = modelEvent(event, twipsPerPixel());
    const bool press = event.type() == QEvent::MouseButtonPress;
    forms::Form* form = &target.window->form();
    runtime_.dispatch([form, control, mouse, press] {
        if (control && press) control->mouseDown(mouse);
        if (control && !press) control->mouseMove(mouse);
        if (!control && press) form->mouseDown(mouse);
        if (!control && !press) form->mouseMove(mouse);
    });
    return own;
}

bool View::Impl::keyPressed(const Target& target, const QKeyEvent& event) {
    const bool enter = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
    if ((!enter && event.key() != Qt::Key_Escape) || (event.modifiers() & ~Qt::KeypadModifier))
        return false;
    // The control that has the focus, found from the widget holding it (a combo box's edit, a
    // list's viewport) up.
    forms::Control* focused = nullptr;
    for (QObject* at = QApplication::focusWidget(); at && !focused; at = at->parent()) {
        const auto it = targets_.find(at);
        if (it != targets_.end() && it->second.window == target.window)
            focused = it->second.control;
    }
    // A folder list walks into the folder Enter opens, and that is all Enter does there.
    if (enter && focused && adapterFor(focused->kind()).usesEnter()) return true;
    forms::Form* form = &target.window->form();
    runtime_.dispatch([form, focused, enter] {
        if (enter)
            form->enterPressed(focused);
        else
            form->escapePressed();
    });
    return true;
}

bool View::Impl::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool mouse = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
                       type == QEvent::MouseMove;
    if (!mouse && type != QEvent::Close && type != QEvent::Move && type != QEvent::Resize &&
        type != QEvent::KeyPress)
        return false;
    const auto it = targets_.find(watched);
    if (it == targets_.end()) return false;
    const Target target = it->second;
    // Enter and Escape reach the window when the control with the focus had no use for them.
    if (type == QEvent::KeyPress)
        return watched == target.window->window() &&
               keyPressed(target, *static_cast<QKeyEvent*>(event));
    if (watched != target.window->window()) {
        // A control or the client area: presses, releases and moves go to the model.
        if (!mouse) return false;
        return mouseEvent(target, *static_cast<QWidget*>(watched),
                          *static_cast<QMouseEvent*>(event));
    }
    if (type == QEvent::Close) {
        // The close box asks the form; its Form_QueryUnload may keep it.
        event->ignore();
        forms::Form* form = &target.window->form();
        runtime_.dispatch([form] { form->requestClose(); });
        return true;
    }
    if (type == QEvent::Move || type == QEvent::Resize) target.window->movedOrResized(*event);
    return false;
}

View::View(forms::Runtime& runtime, WindowServices& services)
    : impl_(std::make_unique<Impl>(runtime, services)), runtime_(&runtime), services_(&services) {
    installLook();
    services.setView(this);
    runtime.addObserver(this);
    // A window is made when its form is first shown, from the model as it stands then: forms
    // that are only hosts (the tray menu, the timers, the hidden option form) never get one,
    // and a view attached to a program that has run a while draws what it shows at once.
    for (forms::Form* form : runtime.forms())
        if (form->visible()) impl_->loaded(*form);
}

View::~View() {
    runtime_->removeObserver(this);
    services_->setView(nullptr);
}

void View::formEvent(forms::Form& form, forms::FormEvent event, forms::FormProperty property) {
    if (event == forms::FormEvent::Unloaded) return impl_->unloaded(form);
    if (event == forms::FormEvent::Shown && !impl_->find(form)) impl_->loaded(form);
    FormWindow* window = impl_->find(form);
    if (!window) return;
    switch (event) {
        case forms::FormEvent::Shown:
            window->show();
            window->window()->raise();
            window->window()->activateWindow();
            break;
        case forms::FormEvent::Hidden:
            window->window()->hide();
            break;
        case forms::FormEvent::Changed:
            window->apply(property);
            break;
        default:
            break;
    }
}

void View::controlChanged(forms::Control& control, forms::Property property) {
    impl_->controlChanged(control, property);
}

QWidget* View::window(const forms::Form& form) const {
    const FormWindow* window = impl_->find(form);
    return window ? window->window() : nullptr;
}

QWidget* View::widget(const forms::Control& control) const {
    return impl_->widget(control);
}

}  // namespace korvo::qt
