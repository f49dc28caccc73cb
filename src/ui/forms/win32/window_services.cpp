// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/forms/win32/window_services.h"

#include <cmath>

#include "ui/forms/runtime.h"
#include "ui/forms/win32/text.h"
#include "ui/forms/win32/view.h"

namespace korvo::win32 {

namespace {

constexpr UINT TrayId = 1;

}  // namespace

std::optional<std::wstring> browsableAddress(const std::string& address) {
    std::string lower;
    for (char c : address) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    for (const char* scheme : {"http://", "https://", "mailto:"})
        if (lower.rfind(scheme, 0) == 0) return wide(address);
    if (lower.rfind("www.", 0) == 0) return wide("http://" + address);
    // A local page (the user guide beside the program), never a local program.
    const auto endsWith = [&lower](std::string_view end) {
        return lower.size() >= end.size() &&
               lower.compare(lower.size() - end.size(), end.size(), end) == 0;
    };
    if (lower.rfind("file://", 0) == 0 && (endsWith(".html") || endsWith(".htm")))
        return wide(address);
    return std::nullopt;
}

int screenTwipsPerPixel() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    if (dpi < 24 || dpi > 1440) return 15;
    return static_cast<int>(std::lround(1440.0 / dpi));
}

void appendMenuItems(HMENU target, const std::vector<forms::Menu*>& items,
                     const forms::Menu* defaultItem, std::map<UINT, forms::Menu*>& ids) {
    for (forms::Menu* item : items) {
        if (!item->visible()) continue;
        if (item->isSeparator()) {
            AppendMenuW(target, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const std::wstring caption = wide(item->caption());
        const UINT state = (item->enabled() ? MF_ENABLED : MF_GRAYED) |
                           (item->checked() ? MF_CHECKED : MF_UNCHECKED);
        if (!item->items().empty()) {
            HMENU sub = CreatePopupMenu();
            appendMenuItems(sub, item->items(), defaultItem, ids);
            AppendMenuW(target, MF_POPUP | MF_STRING | state, reinterpret_cast<UINT_PTR>(sub),
                        caption.c_str());
            continue;
        }
        const auto id = static_cast<UINT>(ids.size() + 1);
        ids[id] = item;
        AppendMenuW(target, MF_STRING | state, id, caption.c_str());
        if (item == defaultItem) SetMenuDefaultItem(target, id, FALSE);
    }
}

WindowServices::WindowServices() = default;

WindowServices::~WindowServices() {
    // An icon left behind would stay in the tray until the mouse passed over it.
    for (auto& [form, record] : trays_) Shell_NotifyIconW(NIM_DELETE, &record);
}

void WindowServices::popupMenu(forms::Form& owner, forms::Menu& menu, forms::Menu* defaultItem) {
    forms::Runtime& runtime = owner.runtime();
    HWND window = view_ ? view_->window(owner) : nullptr;
    std::map<UINT, forms::Menu*> ids;
    HMENU popup = CreatePopupMenu();
    appendMenuItems(popup, menu.items(), defaultItem, ids);
    if (!window || ids.empty()) {
        DestroyMenu(popup);
        return;
    }
    POINT at{};
    GetCursorPos(&at);
    // The owner must be in front, or the menu stays open when the user clicks elsewhere.
    SetForegroundWindow(window);
    const auto chosen = static_cast<UINT>(
        TrackPopupMenu(popup, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON | TPM_LEFTALIGN, at.x,
                       at.y, 0, window, nullptr));
    PostMessageW(window, WM_NULL, 0, 0);
    DestroyMenu(popup);
    if (const auto it = ids.find(chosen); it != ids.end()) {
        forms::Menu* item = it->second;
        runtime.dispatch([item] { item->click(); });
    }
    // The chosen item may have ended the program: the handler that opened the menu stops here.
    if (runtime.ended()) throw forms::ProgramEnded{};
}

void WindowServices::startWindowDrag(forms::Form& form) {
    HWND window = view_ ? view_->window(form) : nullptr;
    if (!window || !IsWindowVisible(window)) return;
    ReleaseCapture();
    SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void WindowServices::activate(forms::Form& form) {
    HWND window = view_ ? view_->window(form) : nullptr;
    if (!window || !IsWindowVisible(window)) return;
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
}

std::optional<forms::PictureInfo> WindowServices::probePicture(const std::string& path) {
    return pictures_.probe(path);
}

void WindowServices::openAddress(const std::string& address) {
    const auto target = browsableAddress(address);
    if (!target) return;
    // The browser comes up maximised, started in the program's own folder.
    std::wstring folder(MAX_PATH, L'\0');
    const DWORD length =
        GetModuleFileNameW(nullptr, folder.data(), static_cast<DWORD>(folder.size()));
    folder.resize(length < folder.size() ? length : 0);
    folder.resize(folder.find_last_of(L'\\') == std::wstring::npos ? 0
                                                                   : folder.find_last_of(L'\\'));
    ShellExecuteW(nullptr, L"Open", target->c_str(), L"", folder.empty() ? nullptr : folder.c_str(),
                  SW_SHOWMAXIMIZED);
}

void WindowServices::addTrayIcon(forms::Form& owner, const std::string& tip) {
    HWND window = view_ ? view_->window(owner) : nullptr;
    if (!window) return;
    NOTIFYICONDATAW record{};
    record.cbSize = sizeof record;
    record.hWnd = window;
    record.uID = TrayId;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = WM_MOUSEMOVE;
    record.hIcon = view_->smallIcon(owner);
    const std::wstring text = wide(tip);
    lstrcpynW(record.szTip, text.c_str(), static_cast<int>(std::size(record.szTip)));
    const auto known = trays_.find(&owner);
    if (known != trays_.end()) {
        known->second = record;
        Shell_NotifyIconW(NIM_MODIFY, &record);
        return;
    }
    trays_[&owner] = record;
    Shell_NotifyIconW(NIM_ADD, &record);
}

void WindowServices::removeTrayIcon(forms::Form& owner) {
    const auto it = trays_.find(&owner);
    if (it == trays_.end()) return;
    Shell_NotifyIconW(NIM_DELETE, &it->second);
    trays_.erase(it);
}

void WindowServices::formUnloaded(forms::Form& form) {
    removeTrayIcon(form);
}

std::optional<NOTIFYICONDATAW> WindowServices::trayRecord(const forms::Form& owner) const {
    const auto it = trays_.find(&owner);
    if (it == trays_.end()) return std::nullopt;
    return it->second;
}

int WindowServices::twipsPerPixelX() {
    return screenTwipsPerPixel();
}

int WindowServices::twipsPerPixelY() {
    return screenTwipsPerPixel();
}

int WindowServices::screenWidth() {
    return GetSystemMetrics(SM_CXSCREEN) * screenTwipsPerPixel();
}

int WindowServices::screenHeight() {
    return GetSystemMetrics(SM_CYSCREEN) * screenTwipsPerPixel();
}

void WindowServices::endProgram() {
    // Leaves the message loop, and any menu or window drag running inside it.
    if (!ended_) PostQuitMessage(0);
    ended_ = true;
}

}  // namespace korvo::win32
