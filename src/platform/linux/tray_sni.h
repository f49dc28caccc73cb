// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/linux/tray_icon.h"

namespace korvo::platform {

// What the StatusNotifierItem tells the icon that owns it; never called from inside one of the
// item's own functions.
struct SniCallbacks {
    std::function<void()> hostChanged;  // hostReady() changed
    std::function<void(int message)> mouse;
    std::function<void()> menuWanted;  // answered before the host is
    std::function<void(int id)> menuChosen;
};

// The icon as a StatusNotifierItem on a private connection to the session bus, with its menu
// exported over dbusmenu; registered with the StatusNotifierWatcher whenever one with a host is
// there.
class SniItem {
  public:
    virtual ~SniItem() = default;
    // Whether a watcher with a host has the item (or is taking it now).
    virtual bool hostReady() const = 0;
    virtual void setTip(const std::string& tip) = 0;
    virtual void setMenu(const std::vector<TrayMenuEntry>& entries) = 0;
};

// None when the bus at `address` cannot be reached.
std::unique_ptr<SniItem> makeSniItem(const std::string& address, const std::string& title,
                                     const IconImage& icon, const std::string& tip,
                                     SniCallbacks callbacks);

// A caption's "&" mnemonics as dbusmenu writes them: "&Quit" is "_Quit", "&&" a plain "&", and
// a plain "_" is doubled.
std::string dbusmenuLabel(const std::string& caption);

}  // namespace korvo::platform
