// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/forms/win32/view.h"

#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "ui/forms/win32/control_adapter.h"
#include "ui/forms/win32/convert.h"
#include "ui/forms/win32/form_window.h"
#include "ui/forms/win32/window_services.h"

namespace korvo::win32 {

namespace {

using forms::FormProperty;
using forms::Property;

constexpr wchar_t OwnerClass[] = L"KorvoOwner";
constexpr UINT DestroyRetired = WM_APP + 1;  // to the owner window: windows of unloaded forms
constexpr int ProgramIcon = 1;               // the icon resource of Korvo.exe

}  // namespace

// Keeps one FormWindow per loaded form and one window per control, made by the control's
// adapter, shows the model's changes on them and forwards the user's actions to the model.
class View::Impl final : public Forwarder {
  public:
    Impl(forms::Runtime& runtime, WindowServices& services);
    ~Impl() override;
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;

    void loaded(forms::Form& form);
    void unloaded(forms::Form& form);
    void controlChanged(forms::Control& control, Property property);

    FormWindow* find(const forms::Form& form) const {
        const auto it = forms_.find(&form);
        return it == forms_.end() ? nullptr : it->second.get();
    }
    ControlWindow* find(const forms::Control& control) const {
        FormWindow* window = find(control.form());
        return window ? window->find(control) : nullptr;
    }

    void forward(ControlWindow& source, const std::function<void(forms::Control&)>& action,
                 std::optional<Property> refresh) override;

  private:
    static LRESULT CALLBACK ownerProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    void createControl(FormWindow& window, forms::Control& control);
    void applyControl(ControlWindow& c, Property property);
    void applyFont(ControlWindow& c);
    void applyPlace(ControlWindow& c);
    void applyShown(ControlWindow& c);
    void applyInside(ControlWindow& c, Property property);

    Binding binding_;
    std::map<const forms::Form*, std::unique_ptr<FormWindow>> forms_;
    std::vector<std::unique_ptr<FormWindow>> retired_;  // of unloaded forms, destroyed later
};

View::Impl::Impl(forms::Runtime& runtime, WindowServices& services)
    : binding_{runtime, services, *this, nullptr, 0} {
    INITCOMMONCONTROLSEX common{sizeof common, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&common);
    registerWindowClass(OwnerClass, ownerProc);
    binding_.owner = CreateWindowExW(WS_EX_TOOLWINDOW, OwnerClass, L"Korvo", WS_POPUP, 0, 0, 0, 0,
                                     nullptr, nullptr, GetModuleHandleW(nullptr), this);
}

View::Impl::~Impl() {
    forms_.clear();
    retired_.clear();
    if (binding_.owner) DestroyWindow(binding_.owner);
}

LRESULT CALLBACK View::Impl::ownerProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (message == DestroyRetired) {
        if (auto* impl = reinterpret_cast<Impl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)))
            impl->retired_.clear();
        return 0;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

void View::Impl::loaded(forms::Form& form) {
    if (find(form)) return;
    FormWindow* window = nullptr;
    {
        const Applying applying(binding_);
        window =
            forms_.emplace(&form, std::make_unique<FormWindow>(form, binding_)).first->second.get();
        // Made in declaration order, each above the ones before: a control declared later lies
        // on top, and what a frame holds lies above the frame.
        for (forms::Control* control : form.controls()) createControl(*window, *control);
        window->rebuildMenuBar();
        for (FormProperty property :
             {FormProperty::Colors, FormProperty::Icon, FormProperty::Geometry})
            window->apply(property);
        // As on a window the mouse opened, the focus is not outlined until the keyboard moves it.
        SendMessageW(window->hwnd(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
    }
    if (form.visible()) window->show();
}

void View::Impl::unloaded(forms::Form& form) {
    const auto it = forms_.find(&form);
    if (it == forms_.end()) return;
    binding_.services.formUnloaded(form);
    // Forgotten at once, destroyed from the message loop: the window may be the one whose
    // message is being handled right now (its close box, one of its buttons).
    it->second->retire();
    retired_.push_back(std::move(it->second));
    forms_.erase(it);
    PostMessageW(binding_.owner, DestroyRetired, 0, 0);
}

void View::Impl::createControl(FormWindow& window, forms::Control& control) {
    const ControlAdapter& adapter = adapterFor(control.kind());
    auto owned = std::make_unique<ControlWindow>(control, window, adapter);
    ControlWindow& c = *owned;
    c.hwnd = adapter.create(c, window.hwnd());
    if (!c.hwnd) return;
    window.adopt(std::move(owned));
    for (Property property :
         {Property::Font, Property::Geometry, Property::Colors, Property::List, Property::Caption,
          Property::Value, Property::ListIndex, Property::Locked, Property::Picture,
          Property::Enabled, Property::Visible})
        applyControl(c, property);
}

void View::Impl::controlChanged(forms::Control& control, Property property) {
    FormWindow* window = find(control.form());
    if (!window) return;
    if (control.kind() == forms::ControlKind::Menu) return window->scheduleMenuBar();
    ControlWindow* changed = window->find(control);
    if (changed) applyControl(*changed, property);
    if (property == Property::Colors || property == Property::Geometry)
        window->backdropChanged(changed);
}

void View::Impl::applyControl(ControlWindow& c, Property property) {
    // Notifications a model update raises are the model's own news, not the user's.
    const Applying applying(binding_);
    switch (property) {
        case Property::Enabled:
            EnableWindow(c.hwnd, c.control->effectivelyEnabled());
            break;
        case Property::Visible:
            applyShown(c);
            break;
        case Property::Geometry:
            applyPlace(c);
            break;
        case Property::Colors:
            c.owner->applyColors(c);
            break;
        case Property::Font:
            applyFont(c);
            break;
        case Property::Picture:  // pictures are drawn from the model whenever they are painted
            c.adapter->show(c, property);
            InvalidateRect(c.hwnd, nullptr, TRUE);
            break;
        case Property::MousePointer:  // read when the pointer passes over the control
        case Property::Timer:
            break;
        default:
            c.adapter->show(c, property);
            // A text in another script may need another face.
            if ((property == Property::Caption || property == Property::List) &&
                c.control->hasFont() && scriptOf(c.adapter->text(c)) != c.script)
                applyFont(c);
            break;
    }
}

void View::Impl::applyFont(ControlWindow& c) {
    if (!c.control->hasFont()) return;
    c.script = scriptOf(c.adapter->text(c));
    HFONT font = makeFont(c.control->font(), c.script);
    SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (c.font) DeleteObject(c.font);
    c.font = font;
}

void View::Impl::applyPlace(ControlWindow& c) {
    const RECT r = pixelRect(formRect(*c.control), c.owner->twipsPerPixel());
    SetWindowPos(c.hwnd, nullptr, r.left, r.top, r.right - r.left,
                 r.bottom - r.top + c.adapter->dropHeight(), SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(c.hwnd, nullptr, TRUE);
    applyInside(c, Property::Geometry);
}

void View::Impl::applyShown(ControlWindow& c) {
    ShowWindow(c.hwnd, shown(*c.control) ? SW_SHOWNA : SW_HIDE);
    applyInside(c, Property::Visible);
}

void View::Impl::applyInside(ControlWindow& c, Property property) {
    // What a frame or picture box holds moves and hides with it.
    if (const auto* holder = dynamic_cast<const forms::Container*>(c.control))
        for (forms::Control* inner : holder->children())
            if (ControlWindow* held = c.owner->find(*inner)) applyControl(*held, property);
}

void View::Impl::forward(ControlWindow& source, const std::function<void(forms::Control&)>& action,
                         std::optional<Property> refresh) {
    if (!source.owner->loaded()) return;
    forms::Control* control = source.control;
    binding_.runtime.dispatch([control, &action] { action(*control); });
    // The event may have unloaded the form.
    if (refresh && source.owner->loaded()) applyControl(source, *refresh);
}

View::View(forms::Runtime& runtime, WindowServices& services)
    : impl_(std::make_unique<Impl>(runtime, services)), runtime_(&runtime), services_(&services) {
    services.setView(this);
    runtime.addObserver(this);
    // Forms loaded before the view was attached get their windows now.
    for (forms::Form* form : runtime.forms()) impl_->loaded(*form);
}

View::~View() {
    runtime_->removeObserver(this);
    services_->setView(nullptr);
}

void View::formEvent(forms::Form& form, forms::FormEvent event, forms::FormProperty property) {
    if (event == forms::FormEvent::Loaded) return impl_->loaded(form);
    if (event == forms::FormEvent::Unloaded) return impl_->unloaded(form);
    FormWindow* window = impl_->find(form);
    if (!window) return;
    switch (event) {
        case forms::FormEvent::Shown:
            window->show();
            break;
        case forms::FormEvent::Hidden:
            ShowWindow(window->hwnd(), SW_HIDE);
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

HWND View::window(const forms::Form& form) const {
    const FormWindow* window = impl_->find(form);
    return window ? window->hwnd() : nullptr;
}

HWND View::handle(const forms::Control& control) const {
    const ControlWindow* c = impl_->find(control);
    return c ? c->hwnd : nullptr;
}

HICON View::smallIcon(const forms::Form& form) const {
    const FormWindow* window = impl_->find(form);
    if (window && window->smallIcon()) return window->smallIcon();
    const int size = GetSystemMetrics(SM_CXSMICON);
    if (auto* program =
            static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(ProgramIcon),
                                          IMAGE_ICON, size, size, LR_SHARED)))
        return program;
    return LoadIconW(nullptr, IDI_APPLICATION);
}

}  // namespace korvo::win32
