// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Adapters for the captioned controls: labels, buttons, option buttons, check boxes and frames.

#include <algorithm>
#include <string>

#include "ui/forms/system_colors.h"
#include "ui/forms/win32/control_adapter.h"
#include "ui/forms/win32/convert.h"
#include "ui/forms/win32/form_window.h"
#include "ui/forms/win32/text.h"
#include "ui/forms/win32/window_services.h"

namespace korvo::win32 {

namespace {

using forms::Property;

class LabelAdapter final : public ControlAdapter {
  public:
    HWND create(ControlWindow& c, HWND parent) const override {
        return childWindow(c, parent, L"Static", SS_LEFT | SS_NOTIFY);
    }
    void show(ControlWindow& c, Property property) const override { showCaption(c, property); }
    // A label without a colour of its own shows what it lies on.
    Paint paint() const override { return Paint::Backdrop; }
    bool passive() const override { return true; }
};

// A button's picture (the folder button's) is drawn by the button itself, at its own size, in
// place of a caption.
void showButtonPicture(ControlWindow& c) {
    const forms::Picture& picture = c.control->picture();
    HICON icon = picture ? c.owner->services().pictures().icon(
                               picture->source, std::max({picture->width, picture->height, 16}))
                         : nullptr;
    const LONG_PTR style = GetWindowLongPtrW(c.hwnd, GWL_STYLE);
    SetWindowLongPtrW(c.hwnd, GWL_STYLE, icon ? style | BS_ICON : style & ~LONG_PTR{BS_ICON});
    SendMessageW(c.hwnd, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    if (c.icon) DestroyIcon(c.icon);
    c.icon = icon;
}

class CommandButtonAdapter final : public ControlAdapter {
  public:
    HWND create(ControlWindow& c, HWND parent) const override {
        // The button Enter presses looks it.
        const bool isDefault = static_cast<const forms::CommandButton&>(*c.control).isDefault();
        return childWindow(c, parent, L"Button",
                           (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP);
    }
    void show(ControlWindow& c, Property property) const override {
        showCaption(c, property);
        if (property == Property::Picture) showButtonPicture(c);
    }
    void command(ControlWindow& c, WORD code, Forwarder& to) const override {
        if (code == BN_CLICKED) to.forwardTo<forms::CommandButton>(c, [](auto& b) { b.click(); });
    }
};

class OptionButtonAdapter final : public ControlAdapter {
  public:
    HWND create(ControlWindow& c, HWND parent) const override {
        // Exclusivity is the model's: it clears the other buttons of the container.
        return childWindow(c, parent, L"Button", BS_RADIOBUTTON | WS_TABSTOP);
    }
    void show(ControlWindow& c, Property property) const override {
        showCaption(c, property);
        if (property != Property::Value) return;
        const bool selected = static_cast<const forms::OptionButton&>(*c.control).value();
        SendMessageW(c.hwnd, BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    void command(ControlWindow& c, WORD code, Forwarder& to) const override {
        if (code == BN_CLICKED)
            to.forwardTo<forms::OptionButton>(
                c, [](auto& o) { o.select(); }, Property::Value);
    }
    Paint paint() const override { return Paint::Face; }
};

class CheckBoxAdapter final : public ControlAdapter {
  public:
    HWND create(ControlWindow& c, HWND parent) const override {
        // Three states to show the greyed one; a click ticks or unticks.
        return childWindow(c, parent, L"Button", BS_3STATE | WS_TABSTOP);
    }
    void show(ControlWindow& c, Property property) const override {
        showCaption(c, property);
        if (property != Property::Value) return;
        const int value = static_cast<const forms::CheckBox&>(*c.control).value();
        SendMessageW(c.hwnd, BM_SETCHECK,
                     value == forms::CheckBox::Checked  ? BST_CHECKED
                     : value == forms::CheckBox::Grayed ? BST_INDETERMINATE
                                                        : BST_UNCHECKED,
                     0);
    }
    void command(ControlWindow& c, WORD code, Forwarder& to) const override {
        if (code == BN_CLICKED)
            to.forwardTo<forms::CheckBox>(
                c, [](auto& b) { b.click(); }, Property::Value);
    }
    Paint paint() const override { return Paint::Face; }
};

// Drawn here rather than by the group box itself, which under a visual theme takes the theme's
// text colour and leaves the frame's back colour to the parent.
void paintFrame(const ControlWindow& c, HDC dc) {
    RECT area{};
    GetClientRect(c.hwnd, &area);
    if (c.brush) FillRect(dc, &area, c.brush);
    HGDIOBJ former = c.font ? SelectObject(dc, c.font) : nullptr;
    const std::wstring caption = wide(c.control->caption());
    RECT label{0, 0, 0, 0};
    DrawTextW(dc, caption.c_str(), -1, &label, DT_SINGLELINE | DT_CALCRECT);
    RECT edge = area;
    edge.top += (label.bottom - label.top) / 2;
    DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
    if (!caption.empty()) {
        OffsetRect(&label, 8, 0);
        label.right += 4;
        if (c.brush) FillRect(dc, &label, c.brush);
        OffsetRect(&label, 2, 0);
        SetTextColor(dc, c.control->effectivelyEnabled()
                             ? colorref(c.control->foreColor())
                             : colorref(forms::systemColor(forms::SystemColor::GrayText)));
        SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc, caption.c_str(), -1, &label, DT_SINGLELINE);
    }
    if (former) SelectObject(dc, former);
}

class FrameAdapter final : public ControlAdapter {
  public:
    HWND create(ControlWindow& c, HWND parent) const override {
        return childWindow(c, parent, L"Button", BS_GROUPBOX);
    }
    void show(ControlWindow& c, Property property) const override { showCaption(c, property); }
    std::optional<LRESULT> message(ControlWindow& c, UINT message, WPARAM, LPARAM) const override {
        switch (message) {
            // NOLINTNEXTLINE(bugprone-branch-clone): HTCLIENT and "erased" are both 1 by chance
            case WM_NCHITTEST:  // a group box lets the mouse through to what lies beneath
                return HTCLIENT;
            case WM_ERASEBKGND:  // painted whole in WM_PAINT
                return 1;
            case WM_PAINT: {
                PAINTSTRUCT painting;
                HDC dc = BeginPaint(c.hwnd, &painting);
                paintFrame(c, dc);
                EndPaint(c.hwnd, &painting);
                return 0;
            }
            default:
                return std::nullopt;
        }
    }
    Paint paint() const override { return Paint::Face; }
    bool passive() const override { return true; }
};

}  // namespace

AdapterList buttonAdapters() {
    static const LabelAdapter label;
    static const CommandButtonAdapter commandButton;
    static const OptionButtonAdapter optionButton;
    static const CheckBoxAdapter checkBox;
    static const FrameAdapter frame;
    return {
        {forms::ControlKind::Label, &label},
        {forms::ControlKind::CommandButton, &commandButton},
        {forms::ControlKind::OptionButton, &optionButton},
        {forms::ControlKind::CheckBox, &checkBox},
        {forms::ControlKind::Frame, &frame},
    };
}

}  // namespace korvo::win32
