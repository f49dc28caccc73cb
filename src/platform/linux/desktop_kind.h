// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/environment.h"

namespace korvo::platform {

// The desktops Korvo knows how to give a wallpaper. Gnome covers every desktop that reads the
// GNOME background keys (Unity, Budgie, GNOME Flashback, Pantheon); Wlroots is sway and the
// compositors that take its IPC; X11 is a bare X server with no desktop drawing the background.
enum class DesktopKind {
    Unsupported,
    Gnome,
    Mate,
    Cinnamon,
    Xfce,
    Plasma,
    Lxqt,
    Lxde,
    Wlroots,
    X11
};

// Chooses from the snapshot alone: the names in XDG_CURRENT_DESKTOP (':'-separated, matched by
// substring without regard to case), then XDG_SESSION_DESKTOP and DESKTOP_SESSION, then a
// sway socket, then a Wayland session (Unsupported: no common way to set its wallpaper), then
// DISPLAY.
DesktopKind chooseDesktop(const Environment& env);

const char* desktopKindName(DesktopKind kind);

}  // namespace korvo::platform
