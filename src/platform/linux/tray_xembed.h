// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/linux/tray_icon.h"

namespace korvo::platform {

// What the XEmbed icon tells the icon that owns it; never called from inside one of its own
// functions.
struct XEmbedCallbacks {
    // A system tray appeared (true: dock again) or the one there went (false).
    std::function<void(bool appeared)> trayChanged;
    std::function<void(int message)> mouse;
};

// The icon as a window docked in the X display's system tray (the XEmbed tray protocol).
class XEmbedIcon {
  public:
    virtual ~XEmbedIcon() = default;
    virtual bool trayPresent() const = 0;
    virtual bool docked() const = 0;
    // Asks the tray to take a new icon window; false when there is no tray to ask.
    virtual bool dock() = 0;
    virtual void undock() = 0;
    virtual void setTip(const std::string& tip) = 0;
};

// None when `display` names no X server that answers.
std::unique_ptr<XEmbedIcon> makeXEmbedIcon(const std::string& display, const std::string& title,
                                           const IconImage& icon, const std::string& tip,
                                           XEmbedCallbacks callbacks);

}  // namespace korvo::platform
