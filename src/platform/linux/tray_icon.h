// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/environment.h"

namespace korvo::platform {

// A picture for the tray: 32 bits a pixel, 0xAARRGGBB, not premultiplied, row by row.
struct IconImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;
};

// One entry of the menu a tray host draws itself. Labels are the forms' captions: "&" marks the
// mnemonic ("&&" is a plain ampersand); a label of "-" is a separator.
struct TrayMenuEntry {
    int id = 0;  // handed back when the entry is chosen
    std::string label;
    bool enabled = true;
    bool isDefault = false;  // drawn in bold where the host can
};

// What the tray reports, always from the GLib main context of the thread that made the icon
// (the program's one thread), never from inside a call the program made into the icon.
struct TrayEvents {
    // A mouse message as the Windows tray reports it: 0x201 left button down, 0x202 up, 0x203
    // double click; right 0x204/0x205/0x206; middle 0x207/0x208/0x209. An XEmbed icon reports the
    // presses and releases themselves; a StatusNotifierItem host reports clicks, each as its
    // release (Activate 0x202, ContextMenu 0x205, SecondaryActivate 0x208).
    std::function<void(int message)> mouse;
    // A host that draws the menu itself is about to show it (or asks for its layout): the
    // program calls setMenu() now if the menu may have changed. The host shows what is set when
    // this returns.
    std::function<void()> menuWanted;
    // An entry of the exported menu was chosen; reported after the host's menu has closed.
    std::function<void(int id)> menuChosen;
    // A tray host appeared (true) or the last one went (false).
    std::function<void(bool shown)> hostChanged;
};

// The program's one icon in the notification area, in whichever tray the desktop offers: a
// StatusNotifierItem (with its menu exported over dbusmenu) where a StatusNotifierWatcher with a
// host is registered on the session bus, else an XEmbed icon on the X display's system tray
// selection, switching as hosts come and go; none while neither exists.
class TrayIcon {
  public:
    virtual ~TrayIcon() = default;
    // Whether a host shows the icon now.
    virtual bool shown() const = 0;
    // Whether that host draws an exported menu itself (a StatusNotifierItem host); an XEmbed tray
    // leaves the menu to the program.
    virtual bool hostDrawsMenu() const = 0;
    virtual void setTip(const std::string& tip) = 0;
    // The menu a host that draws menus shows; kept and exported again when a host comes.
    virtual void setMenu(const std::vector<TrayMenuEntry>& entries) = 0;
};

// Adds the icon; it is removed when the object is destroyed. `env` names the display and the
// session bus (DISPLAY, DBUS_SESSION_BUS_ADDRESS); `title` is the program's name as hosts list it.
std::unique_ptr<TrayIcon> makeTrayIcon(const Environment& env, const std::string& title,
                                       const IconImage& icon, const std::string& tip,
                                       TrayEvents events);

// Shows one short desktop notification through the freedesktop notification service
// (org.freedesktop.Notifications). False when no service answers; never blocks for long.
bool showNotice(const Environment& env, const std::string& title, const std::string& summary,
                const std::string& body);

}  // namespace korvo::platform
