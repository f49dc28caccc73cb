// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPointer>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "ui/forms/services.h"

class QWidget;

namespace korvo::qt {

class View;

// What the forms ask of the window system, on Qt: popup menus, window drags, raising windows,
// pictures, the browser, the screen's resolution and the end of the program. The tray icon is
// the program's shell's, which answers before Qt is ever loaded.
class WindowServices final : public QObject, public forms::WindowServices {
  public:
    WindowServices();
    ~WindowServices() override;

    // Pops the menu up at the mouse and runs the chosen item's click once it has closed. When
    // that item ended the program, the handler that opened the menu goes no further.
    void popupMenu(forms::Form& owner, forms::Menu& menu, forms::Menu* defaultItem) override;
    // The window manager moves the window with the mouse; where it cannot, the window follows
    // the mouse until the button is released.
    void startWindowDrag(forms::Form& form) override;
    void activate(forms::Form& form) override;
    std::optional<forms::PictureInfo> probePicture(const std::string& path) override;
    void openAddress(const std::string& address) override;
    void addTrayIcon(forms::Form& owner, const std::string& tip) override;
    void removeTrayIcon(forms::Form& owner) override;
    int twipsPerPixelX() override;
    int twipsPerPixelY() override;
    int screenWidth() override;
    int screenHeight() override;
    void endProgram() override;

    // Set by the view while it exists: the services find a form's window through it.
    void setView(View* view) { view_ = view; }

  private:
    class DragFollower;

    View* view_ = nullptr;
    std::unique_ptr<DragFollower> drag_;
};

// 1440 divided by the primary screen's logical dots per inch: 15 at 96 dpi, and 15 without a
// screen.
int screenTwipsPerPixel();

}  // namespace korvo::qt
