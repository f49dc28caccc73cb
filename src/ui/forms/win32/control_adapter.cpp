// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/forms/win32/control_adapter.h"

#include "ui/forms/win32/text.h"

namespace korvo::win32 {

namespace {

using forms::ControlKind;

// Timers and menus: the scheduler drives the one, the menu bar and popup menus show the other.
class NoWindow final : public ControlAdapter {
  public:
    HWND create(ControlWindow&, HWND) const override { return nullptr; }
};

}  // namespace

ControlWindow::~ControlWindow() {
    if (font) DeleteObject(font);
    if (brush) DeleteObject(brush);
    if (icon) DestroyIcon(icon);
    if (picture.bitmap) DeleteObject(picture.bitmap);
}

std::wstring ControlAdapter::text(const ControlWindow& control) const {
    return wide(control.control->caption());
}

std::wstring rowsText(const std::vector<std::string>& rows) {
    std::wstring all;
    for (const std::string& row : rows) all += wide(row) + L'\n';
    return all;
}

const ControlAdapter& adapterFor(ControlKind kind) {
    static const NoWindow none;
    static const forms::AdapterTable<ControlAdapter> adapters{buttonAdapters, editAdapters,
                                                              listAdapters, pictureAdapters};
    return adapters.find(kind, none);
}

HWND childWindow(ControlWindow& control, HWND parent, const wchar_t* type, DWORD style,
                 DWORD exStyle) {
    return CreateWindowExW(exStyle, type, L"", WS_CHILD | WS_CLIPSIBLINGS | style, 0, 0, 0, 0,
                           parent, nullptr, GetModuleHandleW(nullptr), &control);
}

void showCaption(ControlWindow& control, forms::Property property) {
    if (property == forms::Property::Caption)
        SetWindowTextW(control.hwnd, wide(control.control->caption()).c_str());
}

void showRows(HWND list, const std::vector<std::string>& rows, UINT reset, UINT add) {
    // A large folder fills in one repaint.
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, reset, 0, 0);
    for (const std::string& row : rows) {
        const std::wstring text = wide(row);
        SendMessageW(list, add, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

}  // namespace korvo::win32
