// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/forms/adapter_table.h"
#include "ui/forms/control.h"
#include "ui/forms/win32/fonts.h"
#include "ui/forms/win32/win32.h"

namespace korvo::win32 {

class ControlAdapter;
class FormWindow;

// A picture as last decoded, with what it was decoded for: decoded again only when one of them
// changes.
struct DecodedPicture {
    HBITMAP bitmap = nullptr;
    std::string source;
    SIZE area{};
    bool stretched = false;
};

// One control's system window, with the GDI objects the binding made for it. Its form window
// owns it; `control` may be read only while `owner->loaded()`.
struct ControlWindow {
    ControlWindow(forms::Control& model, FormWindow& form, const ControlAdapter& kind)
        : control(&model), owner(&form), adapter(&kind) {}
    ~ControlWindow();
    ControlWindow(const ControlWindow&) = delete;
    ControlWindow& operator=(const ControlWindow&) = delete;

    forms::Control* control;
    FormWindow* owner;
    const ControlAdapter* adapter;
    HWND hwnd = nullptr;
    HFONT font = nullptr;
    Script script = Script::Latin;  // of the text the font was chosen for
    HBRUSH brush = nullptr;         // the background, when the model decides it
    HICON icon = nullptr;           // a button's picture
    COLORREF back = 0;
    DecodedPicture picture;  // picture boxes and images
};

// How an adapter hands the user's action on. The view implements it: while the control's form is
// loaded, it runs `action` on the control as one dispatched event and, when `refresh` is given
// and the form is still loaded, shows that property of the model again, because a handler may
// have refused or changed what the user did.
class Forwarder {
  public:
    virtual ~Forwarder() = default;
    virtual void forward(ControlWindow& source, const std::function<void(forms::Control&)>& action,
                         std::optional<forms::Property> refresh = {}) = 0;

    // forward() for a control of a known class.
    template <class C, class Action>
    void forwardTo(ControlWindow& source, Action action,
                   std::optional<forms::Property> refresh = {}) {
        forward(
            source, [&action](forms::Control& control) { action(static_cast<C&>(control)); },
            refresh);
    }
};

// Pixels of the open list below a drop-down list (combo boxes and the drive list).
constexpr int DropListHeight = 200;

// Which background a kind is drawn on when the control has no BackColor of its own.
enum class Paint {
    Backdrop,  // what lies beneath it: the last control declared before it that paints one and
               // covers it (its frame or picture box, a strip it lies on), else the form
    Face,      // the design's button face (forms::SystemColor), a dialog's surface (frames,
               // option buttons and check boxes, even on a form of another colour)
    Field,     // the window system's own field or button colour, as the control draws it
};

// Everything that differs between control kinds, for one kind. The view and the form window do
// what all kinds share (place, enabled, visible, font, pointer, colours by Paint, mouse routing);
// the adapter makes the system control, shows the properties the kind has its own way of showing
// and hands the control's notifications on to the forwarder. The Qt binding has the same split.
class ControlAdapter {
  public:
    virtual ~ControlAdapter() = default;
    // The control's window as a child of `parent` (childWindow), set up for the kind; nullptr
    // for kinds without one.
    virtual HWND create(ControlWindow& control, HWND parent) const = 0;
    // Shows one property (Caption, Value, List, ListIndex, Locked, Picture); the others and the
    // ones a kind does not have are ignored. The notifications it raises are not taken for the
    // user's.
    virtual void show(ControlWindow& /*control*/, forms::Property /*property*/) const {}
    // The control sent its form WM_COMMAND with `code`: what the user did, for the forwarder.
    virtual void command(ControlWindow& /*control*/, WORD /*code*/, Forwarder& /*to*/) const {}
    // The control sent its form WM_HSCROLL or WM_VSCROLL other than while the thumb is dragged.
    virtual void scrolled(ControlWindow& /*control*/, Forwarder& /*to*/) const {}
    // A message to the control's own window, while its form is loaded, before the system
    // control sees it (mouse buttons and moves excepted: the form window routes those). The
    // answer, or nullopt to let the system control have it.
    virtual std::optional<LRESULT> message(ControlWindow& /*control*/, UINT /*message*/,
                                           WPARAM /*wparam*/, LPARAM /*lparam*/) const {
        return std::nullopt;
    }
    // The text the control shows, whose script its font must have: its caption, or its rows.
    virtual std::wstring text(const ControlWindow& control) const;
    virtual Paint paint() const { return Paint::Field; }
    // A control that does nothing with a mouse button itself: presses and moves over it are its
    // own, and the left button pressed and released over it is its click.
    virtual bool passive() const { return false; }
    // Pixels the window takes below the control's height: the open list of a drop-down list.
    virtual int dropHeight() const { return 0; }
};

// The adapter of a kind; kinds without a window (timers, menus) get one that makes none.
const ControlAdapter& adapterFor(forms::ControlKind kind);

// A child window of the form's window, of the system class `type`, clipped by its siblings, with
// `control` as its creation data; nullptr when it cannot be made.
HWND childWindow(ControlWindow& control, HWND parent, const wchar_t* type, DWORD style,
                 DWORD exStyle = 0);

// The caption as the window's text ("&" marks the access key), when `property` is Caption.
void showCaption(ControlWindow& control, forms::Property property);

// A list box's or combo box's rows replaced by `rows`, in one repaint; `reset` and `add` are the
// class's messages (LB_RESETCONTENT and LB_ADDSTRING, or the CB_ ones).
void showRows(HWND list, const std::vector<std::string>& rows, UINT reset, UINT add);

// The rows of a list as one text, for ControlAdapter::text.
std::wstring rowsText(const std::vector<std::string>& rows);

// The adapters, one a kind, defined beside the controls they make.
using AdapterList = forms::AdapterList<ControlAdapter>;
AdapterList buttonAdapters();   // labels, buttons, option buttons, check boxes, frames
AdapterList editAdapters();     // text boxes, editable drop-down lists, sliders
AdapterList listAdapters();     // drive, folder and file lists
AdapterList pictureAdapters();  // picture boxes and images

}  // namespace korvo::win32
