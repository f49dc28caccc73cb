// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/forms/win32/form_window.h"

#include "ui/forms/system_colors.h"

#include <algorithm>
#include <vector>

#include "ui/forms/win32/convert.h"
#include "ui/forms/win32/text.h"
#include "ui/forms/win32/window_services.h"

namespace korvo::win32 {

namespace {

using forms::FormProperty;

DWORD formStyle(forms::BorderStyle border) {
    switch (border) {
        case forms::BorderStyle::None:
            return WS_POPUP;
        case forms::BorderStyle::FixedSingle:
            return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
        case forms::BorderStyle::FixedDialog:
        case forms::BorderStyle::FixedToolWindow:
            return WS_POPUP | WS_CAPTION | WS_SYSMENU;
        case forms::BorderStyle::Sizable:
            break;
    }
    return WS_OVERLAPPEDWINDOW;
}

DWORD formExStyle(const forms::Form& form) {
    DWORD ex = WS_EX_CONTROLPARENT;
    if (form.borderStyle() == forms::BorderStyle::FixedDialog) ex |= WS_EX_DLGMODALFRAME;
    if (form.borderStyle() == forms::BorderStyle::FixedToolWindow) ex |= WS_EX_TOOLWINDOW;
    if (form.showInTaskbar()) ex |= WS_EX_APPWINDOW;
    return ex;
}

bool contains(const forms::Rect& outer, const forms::Rect& inner) {
    return inner.left >= outer.left && inner.top >= outer.top &&
           inner.left + inner.width <= outer.left + outer.width &&
           inner.top + inner.height <= outer.top + outer.height;
}

}  // namespace

void registerWindowClass(const wchar_t* name, WNDPROC proc, UINT style) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.style = style;
    type.lpfnWndProc = proc;
    type.hInstance = GetModuleHandleW(nullptr);
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.lpszClassName = name;
    RegisterClassExW(&type);  // a second view finds it already there
}

FormWindow::FormWindow(forms::Form& form, Binding& binding) : form_(&form), binding_(binding) {
    [[maybe_unused]] static const bool registered =
        (registerWindowClass(ClassName, windowProc, CS_DBLCLKS), true);
    // The system chooses a default place only for an overlapped window: one is made, then given
    // the form's own styles.
    const bool systemPlaces = form.startUpPosition() == forms::StartUpPosition::WindowsDefault;
    hwnd_ = CreateWindowExW(
        formExStyle(form), ClassName, wide(form.caption()).c_str(),
        (systemPlaces ? WS_OVERLAPPED : formStyle(form.borderStyle())) | WS_CLIPCHILDREN,
        systemPlaces ? CW_USEDEFAULT : 0, systemPlaces ? CW_USEDEFAULT : 0, 0, 0,
        form.showInTaskbar() ? nullptr : binding.owner, nullptr, GetModuleHandleW(nullptr), this);
    if (systemPlaces && hwnd_) applyFlags();
}

FormWindow::~FormWindow() {
    if (hwnd_) DestroyWindow(hwnd_);  // takes the controls and the menu bar with it
    controls_.clear();
    if (brush_) DeleteObject(brush_);
    if (bigIcon_) DestroyIcon(bigIcon_);
    if (smallIcon_) DestroyIcon(smallIcon_);
}

void FormWindow::retire() {
    form_ = nullptr;
    ShowWindow(hwnd_, SW_HIDE);
}

int FormWindow::twipsPerPixel() const {
    return binding_.services.twipsPerPixelX();
}

void FormWindow::adopt(std::unique_ptr<ControlWindow> control) {
    ControlWindow& c = *control;
    controls_.emplace(c.control, std::move(control));
    byHandle_[c.hwnd] = &c;
    SetWindowSubclass(c.hwnd, controlProc, 1, reinterpret_cast<DWORD_PTR>(&c));
    SetWindowPos(c.hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

ControlWindow* FormWindow::find(const forms::Control& control) const {
    const auto it = controls_.find(&control);
    return it == controls_.end() ? nullptr : it->second.get();
}

ControlWindow* FormWindow::byHandle(LPARAM handle) const {
    const auto it = byHandle_.find(reinterpret_cast<HWND>(handle));
    return it == byHandle_.end() ? nullptr : it->second;
}

void FormWindow::apply(FormProperty property) {
    const Applying applying(binding_);
    switch (property) {
        case FormProperty::Caption:
            SetWindowTextW(hwnd_, wide(form_->caption()).c_str());
            break;
        case FormProperty::Colors:
            if (brush_) DeleteObject(brush_);
            brush_ = CreateSolidBrush(
                form_->backColor() ? colorref(*form_->backColor())
                                   : colorref(forms::systemColor(forms::SystemColor::ButtonFace)));
            for (auto& [model, c] : controls_) applyColors(*c);
            InvalidateRect(hwnd_, nullptr, TRUE);
            break;
        case FormProperty::Icon:
            applyIcon();
            break;
        case FormProperty::Border:
        case FormProperty::Taskbar:
            applyFlags();
            break;
        case FormProperty::Geometry:
            applyGeometry();
            break;
        case FormProperty::Visible:
            if (form_->visible())
                show();
            else
                ShowWindow(hwnd_, SW_HIDE);
            break;
    }
}

void FormWindow::applyIcon() {
    if (bigIcon_) DestroyIcon(bigIcon_);
    if (smallIcon_) DestroyIcon(smallIcon_);
    bigIcon_ = smallIcon_ = nullptr;
    if (const forms::Picture& icon = form_->icon()) {
        Pictures& pictures = binding_.services.pictures();
        bigIcon_ = pictures.icon(icon->source, GetSystemMetrics(SM_CXICON));
        smallIcon_ = pictures.icon(icon->source, GetSystemMetrics(SM_CXSMICON));
    }
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
}

void FormWindow::applyFlags() {
    const bool visible = IsWindowVisible(hwnd_);
    // A window leaves or joins the task bar only while it is hidden.
    if (visible) ShowWindow(hwnd_, SW_HIDE);
    SetWindowLongPtrW(hwnd_, GWL_STYLE,
                      static_cast<LONG_PTR>(formStyle(form_->borderStyle()) | WS_CLIPCHILDREN));
    SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, static_cast<LONG_PTR>(formExStyle(*form_)));
    SetWindowLongPtrW(
        hwnd_, GWLP_HWNDPARENT,
        reinterpret_cast<LONG_PTR>(form_->showInTaskbar() ? nullptr : binding_.owner));
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    applyGeometry();
    if (visible) ShowWindow(hwnd_, SW_SHOWNA);
}

void FormWindow::applyGeometry() {
    // The model's size is the client area's; the window is as much larger as its frame.
    const forms::Rect& rect = form_->rect();
    const int tpp = twipsPerPixel();
    const RECT client = pixelRect({0, 0, rect.width, rect.height}, tpp);
    RECT outer{0, 0, std::max<LONG>(1, client.right), std::max<LONG>(1, client.bottom)};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)),
                       menuBar_ != nullptr,
                       static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)));
    // The window goes to the model's left and top when the form is placed by hand, and when its
    // code moves it; otherwise it stays where the system, the start-up position or the user put it.
    const bool moved = known_ ? rect.left != known_->left || rect.top != known_->top
                              : form_->startUpPosition() == forms::StartUpPosition::Manual;
    known_ = rect;
    const Applying applying(binding_);
    SetWindowPos(hwnd_, nullptr, toPixels(rect.left, tpp), toPixels(rect.top, tpp),
                 outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | (moved ? 0 : SWP_NOMOVE));
}

void FormWindow::show() {
    if (!placed_) place();
    placed_ = true;
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    SetForegroundWindow(hwnd_);
}

void FormWindow::place() {
    // Where the user last put a window of this form while the program runs, else where the form
    // asks to be first shown: centred on the screen the pointer is on, or the system's default
    // place moved onto that screen. Either way wholly on it.
    RECT outer{};
    GetWindowRect(hwnd_, &outer);
    const LONG width = outer.right - outer.left, height = outer.bottom - outer.top;
    POINT at{outer.left, outer.top};
    const auto kept = binding_.userPlaces.find(form_->name());
    const auto start = form_->startUpPosition();
    if (kept == binding_.userPlaces.end() && start == forms::StartUpPosition::Manual) return;
    POINT pointer{};
    GetCursorPos(&pointer);
    MONITORINFO screen{sizeof screen, {}, {}, 0};
    GetMonitorInfoW(MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST), &screen);
    const RECT& work = screen.rcWork;
    if (kept != binding_.userPlaces.end()) {
        at = kept->second;
    } else if (start == forms::StartUpPosition::CenterScreen) {
        at = {work.left + (work.right - work.left - width) / 2,
              work.top + (work.bottom - work.top - height) / 2};
    } else {
        MONITORINFO given{sizeof given, {}, {}, 0};
        GetMonitorInfoW(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &given);
        at = {work.left + at.x - given.rcWork.left, work.top + at.y - given.rcWork.top};
    }
    if (kept == binding_.userPlaces.end()) {
        at.x = std::max(work.left, std::min(at.x, work.right - width));
        at.y = std::max(work.top, std::min(at.y, work.bottom - height));
    }
    const Applying applying(binding_);
    SetWindowPos(hwnd_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::scheduleMenuBar() {
    // Rebuilt from the message loop: the change may come from a handler of the very command the
    // menu bar is still delivering.
    if (!menuBarPending_) PostMessageW(hwnd_, RebuildMenuBar, 0, 0);
    menuBarPending_ = true;
}

void FormWindow::rebuildMenuBar() {
    menuBarPending_ = false;
    // Only visible top-level menus make a menu bar; a form whose menus are all hidden keeps
    // them for popping up.
    std::vector<forms::Menu*> menus;
    for (forms::Control* control : form_->controls()) {
        auto* menu = control->kind() == forms::ControlKind::Menu
                         ? static_cast<forms::Menu*>(control)
                         : nullptr;
        if (menu && !menu->parentMenu() && menu->visible()) menus.push_back(menu);
    }
    HMENU former = menuBar_;
    menuIds_.clear();
    menuBar_ = nullptr;
    if (!menus.empty()) {
        menuBar_ = CreateMenu();
        appendMenuItems(menuBar_, menus, nullptr, menuIds_);
    }
    if (!former && !menuBar_) return;
    SetMenu(hwnd_, menuBar_);
    if (former) DestroyMenu(former);
    applyGeometry();
}

void FormWindow::modelFollowsWindow(const WINDOWPOS& change) {
    // The user moved or sized the window: the model keeps the window's place, in twips, and a
    // window of this form goes back there while the program runs. Only what changed in pixels
    // is written back, so rounding never creeps into the model.
    const int tpp = twipsPerPixel();
    const forms::Rect& rect = form_->rect();
    RECT outer{}, inner{};
    GetWindowRect(hwnd_, &outer);
    GetClientRect(hwnd_, &inner);
    forms::Rect next = rect;
    if (!(change.flags & SWP_NOMOVE)) {
        binding_.userPlaces[form_->name()] = {outer.left, outer.top};
        if (outer.left != toPixels(rect.left, tpp)) next.left = outer.left * tpp;
        if (outer.top != toPixels(rect.top, tpp)) next.top = outer.top * tpp;
    }
    const RECT client = pixelRect({0, 0, rect.width, rect.height}, tpp);
    if (!IsIconic(hwnd_) && !(change.flags & SWP_NOSIZE)) {
        if (inner.right != client.right) next.width = inner.right * tpp;
        if (inner.bottom != client.bottom) next.height = inner.bottom * tpp;
    }
    if (next == rect) return;
    forms::Form* form = form_;
    const Applying applying(binding_);
    binding_.runtime.dispatch([form, next] { form->setRect(next); });
}

std::optional<COLORREF> FormWindow::painted(const forms::Control& control) {
    if (control.backColor()) return colorref(*control.backColor());
    if (adapterFor(control.kind()).paint() == Paint::Face)
        return colorref(forms::systemColor(forms::SystemColor::ButtonFace));
    return std::nullopt;
}

std::optional<COLORREF> FormWindow::backdrop(const forms::Control& control) const {
    // The colour of the last control declared before this one that paints its background and
    // covers it (its frame or picture box, or a strip it lies on); else the form's.
    const forms::Rect place = formRect(control);
    std::optional<COLORREF> found;
    if (form_->backColor()) found = colorref(*form_->backColor());
    for (const forms::Control* other : form_->controls()) {
        if (other == &control) break;
        if (!adapterFor(other->kind()).passive() || !shown(*other) ||
            !contains(formRect(*other), place))
            continue;
        if (const std::optional<COLORREF> colour = painted(*other)) found = colour;
    }
    return found;
}

void FormWindow::applyColors(ControlWindow& c) {
    const Paint paint = c.adapter->paint();
    std::optional<COLORREF> back = painted(*c.control);
    if (!back && paint == Paint::Backdrop) back = backdrop(*c.control);
    if (!back && paint != Paint::Field)
        back = colorref(forms::systemColor(forms::SystemColor::ButtonFace));
    if (c.brush) DeleteObject(c.brush);
    c.brush = nullptr;
    if (back) {
        c.back = *back;
        c.brush = CreateSolidBrush(c.back);
    }
    InvalidateRect(c.hwnd, nullptr, TRUE);
}

void FormWindow::backdropChanged(const ControlWindow* changed) {
    for (auto& [model, other] : controls_)
        if (other.get() != changed && other->adapter->paint() == Paint::Backdrop &&
            !model->backColor())
            applyColors(*other);
}

HBRUSH FormWindow::controlColors(const ControlWindow& c, HDC dc) const {
    if (c.control->effectivelyEnabled()) SetTextColor(dc, colorref(c.control->foreColor()));
    if (!c.brush) return nullptr;
    SetBkColor(dc, c.back);
    return c.brush;
}

}  // namespace korvo::win32
