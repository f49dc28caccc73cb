// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ui/forms/services.h"
#include "ui/forms/win32/pictures.h"
#include "ui/forms/win32/win32.h"

namespace korvo::win32 {

class View;

// What the forms ask of the window system, on Win32: popup menus, window drags, pictures, the
// notification-area icon, the browser, the screen's resolution and the end of the program.
class WindowServices final : public forms::WindowServices {
  public:
    WindowServices();
    ~WindowServices() override;
    WindowServices(const WindowServices&) = delete;
    WindowServices& operator=(const WindowServices&) = delete;

    // TrackPopupMenu at the mouse, the default item bold; the chosen item's click runs once the
    // menu has closed. When that item ended the program, the handler that opened the menu goes
    // no further.
    void popupMenu(forms::Form& owner, forms::Menu& menu, forms::Menu* defaultItem) override;
    // ReleaseCapture, then WM_NCLBUTTONDOWN with HTCAPTION: the window moves with the mouse.
    void startWindowDrag(forms::Form& form) override;
    // SetForegroundWindow: Windows lets a program that was just handed the user's request do so.
    void activate(forms::Form& form) override;
    std::optional<forms::PictureInfo> probePicture(const std::string& path) override;
    // Web and mail addresses only: ShellExecuteW would run a program named here just as well.
    void openAddress(const std::string& address) override;
    // Shell_NotifyIconW with the owner's window, icon 1 and WM_MOUSEMOVE as callback message: the
    // icon's mouse messages reach the owner's Form_MouseMove with the message number as X.
    void addTrayIcon(forms::Form& owner, const std::string& tip) override;
    void removeTrayIcon(forms::Form& owner) override;
    int twipsPerPixelX() override;
    int twipsPerPixelY() override;
    int screenWidth() override;
    int screenHeight() override;
    void endProgram() override;

    Pictures& pictures() { return pictures_; }
    void setView(View* view) { view_ = view; }
    void formUnloaded(forms::Form& form);
    // The record the icon of `owner` was added with; nullopt when it has none (for tests).
    std::optional<NOTIFYICONDATAW> trayRecord(const forms::Form& owner) const;

  private:
    Pictures pictures_;
    View* view_ = nullptr;
    std::map<const forms::Form*, NOTIFYICONDATAW> trays_;
    bool ended_ = false;
};

// The address as ShellExecuteW gets it: web and mail addresses only ("www." ones as http);
// nullopt for anything else, which could name a program or a document to run.
std::optional<std::wstring> browsableAddress(const std::string& address);

// 1440 divided by the screen's dots per inch: 15 at 96 dpi.
int screenTwipsPerPixel();

// Appends the visible items to `target` (a popup menu or a menu bar), items with items of their
// own as submenus; `ids` maps each command to its item. The default item is marked with
// SetMenuDefaultItem.
void appendMenuItems(HMENU target, const std::vector<forms::Menu*>& items,
                     const forms::Menu* defaultItem, std::map<UINT, forms::Menu*>& ids);

}  // namespace korvo::win32
