// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Adapters for the controls the user types in or drags: text boxes, editable drop-down lists and
// sliders.

#include <string>

#include "ui/forms/win32/control_adapter.h"
#include "ui/forms/win32/text.h"

namespace korvo::win32 {

namespace {

using forms::Property;

// The model's text in an edit line, set only when it differs, so that typing keeps its caret.
void showText(const ControlWindow& c) {
    if (windowText(c.hwnd) != c.control->caption())
        SetWindowTextW(c.hwnd, wide(c.control->caption()).c_str());
}

class TextBoxAdapter final : public ControlAdapter {
  public:
    HWND create(ControlWindow& c, HWND parent) const override {
        return childWindow(c, parent, L"Edit", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP,
                           WS_EX_CLIENTEDGE);
    }
    void show(ControlWindow& c, Property property) const override {
        if (property == Property::Caption) showText(c);
        if (property == Property::Locked)
            SendMessageW(c.hwnd, EM_SETREADONLY,
                         static_cast<const forms::TextBox&>(*c.control).locked(), 0);
    }
    void command(ControlWindow& c, WORD code, Forwarder& to) const override {
        if (code != EN_CHANGE) return;
        const std::string typed = windowText(c.hwnd);
        to.forwardTo<forms::TextBox>(c, [&typed](auto& t) { t.setText(typed); });
    }
};

class ComboBoxAdapter final : public ControlAdapter {
  public:
    HWND create(ControlWindow& c, HWND parent) const override {
        return childWindow(c, parent, L"ComboBox",
                           CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP);
    }
    void show(ControlWindow& c, Property property) const override {
        const auto& model = static_cast<const forms::ComboBox&>(*c.control);
        if (property == Property::List) {
            showRows(c.hwnd, model.items(), CB_RESETCONTENT, CB_ADDSTRING);
        } else if (property == Property::ListIndex) {
            SendMessageW(c.hwnd, CB_SETCURSEL, static_cast<WPARAM>(model.listIndex()), 0);
        } else if (property != Property::Caption) {
            return;
        }
        // The text is the model's, whatever the list did to it.
        showText(c);
    }
    void command(ControlWindow& c, WORD code, Forwarder& to) const override {
        if (code == CBN_EDITCHANGE) {
            const std::string typed = windowText(c.hwnd);
            to.forwardTo<forms::ComboBox>(c, [&typed](auto& b) { b.setText(typed); });
        } else if (code == CBN_SELCHANGE) {
            const auto index = static_cast<int>(SendMessageW(c.hwnd, CB_GETCURSEL, 0, 0));
            if (index >= 0)
                to.forwardTo<forms::ComboBox>(
                    c, [index](auto& b) { b.setListIndex(index); }, Property::Caption);
        }
    }
    std::wstring text(const ControlWindow& c) const override {
        const auto& model = static_cast<const forms::ComboBox&>(*c.control);
        return wide(model.caption()) + L'\n' + rowsText(model.items());
    }
    // As high as its edit line; the height it is given is the open list's.
    int dropHeight() const override { return DropListHeight; }
};

class SliderAdapter final : public ControlAdapter {
  public:
    HWND create(ControlWindow& c, HWND parent) const override {
        const auto& model = static_cast<const forms::Slider&>(*c.control);
        const auto style =
            static_cast<DWORD>(TBS_AUTOTICKS | (model.vertical() ? TBS_VERT : TBS_HORZ));
        HWND slider = childWindow(c, parent, TRACKBAR_CLASSW, style | WS_TABSTOP);
        if (!slider) return nullptr;
        SendMessageW(slider, TBM_SETRANGEMIN, FALSE, model.min());
        SendMessageW(slider, TBM_SETRANGEMAX, FALSE, model.max());
        SendMessageW(slider, TBM_SETPAGESIZE, 0, 5);
        const int range = model.max() - model.min();
        SendMessageW(slider, TBM_SETTICFREQ, range <= 100 ? 1 : range / 10, 0);
        return slider;
    }
    void show(ControlWindow& c, Property property) const override {
        if (property == Property::Value)
            SendMessageW(c.hwnd, TBM_SETPOS, TRUE,
                         static_cast<const forms::Slider&>(*c.control).value());
    }
    // The value changes when the thumb is let go.
    void scrolled(ControlWindow& c, Forwarder& to) const override {
        const auto position = static_cast<int>(SendMessageW(c.hwnd, TBM_GETPOS, 0, 0));
        if (position == static_cast<const forms::Slider&>(*c.control).value()) return;
        to.forwardTo<forms::Slider>(
            c, [position](auto& s) { s.setValue(position); }, Property::Value);
    }
    Paint paint() const override { return Paint::Backdrop; }
};

}  // namespace

AdapterList editAdapters() {
    static const TextBoxAdapter textBox;
    static const ComboBoxAdapter comboBox;
    static const SliderAdapter slider;
    return {
        {forms::ControlKind::TextBox, &textBox},
        {forms::ControlKind::ComboBox, &comboBox},
        {forms::ControlKind::Slider, &slider},
    };
}

}  // namespace korvo::win32
