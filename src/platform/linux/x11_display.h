// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <X11/Xlib.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/linux/screen_rect.h"

namespace korvo::platform {

// One Xlib connection to the display the environment names, closed on destruction. Xlib's
// default error handler ends the process; while a connection is open a handler that only
// records the failure is installed instead (the previous one comes back afterwards), and
// failed() tells whether any request since the last check went wrong.
class X11Connection {
  public:
    explicit X11Connection(const std::string& display);
    ~X11Connection();
    X11Connection(const X11Connection&) = delete;
    X11Connection& operator=(const X11Connection&) = delete;

    explicit operator bool() const { return display_ != nullptr; }
    Display* get() const { return display_; }
    Window root() const;
    bool failed();  // waits for the server's answers to everything sent so far

  private:
    Display* display_ = nullptr;
    int (*previousHandler_)(Display*, XErrorEvent*) = nullptr;
};

// The monitors as RandR tells them; the whole screen when RandR says nothing.
std::vector<ScreenRect> monitorRects(X11Connection& x);
// The RandR names of the connected outputs that show something ("eDP-1", "HDMI-A-1", ...).
std::vector<std::string> outputNames(X11Connection& x);
// The window manager's number of workspaces; 1 without one.
int workspaceCount(X11Connection& x);
// A PIXMAP-typed property of the root window (the background pixmap conventions).
std::optional<Pixmap> rootPixmapProperty(X11Connection& x, const char* name);
// Whether a top-level window of `program` (its WM_CLASS name) is a desktop window.
bool hasDesktopWindow(X11Connection& x, const std::string& program);

}  // namespace korvo::platform
