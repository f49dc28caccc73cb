// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "services/desktop_object.h"

namespace korvo::fake {

// A desktop that records every call with its arguments, in order, and keeps what was applied.
// One Recorder outlives the desktop objects the factory makes, as the shell outlives its objects.
class RecordingDesktop {
  public:
    struct Applied {
        std::string path;
        std::uint32_t style;
        friend bool operator==(const Applied&, const Applied&) = default;
    };

    // The factory to inject as Services::desktop.
    shell::DesktopFactory factory();

    std::vector<std::string> calls;   // "GetDesktopItemOptions", "SetWallpaper /a.png", ...
    std::vector<Applied> applied;     // each successful ApplyChanges
    bool activeDesktop = true;        // what GetDesktopItemOptions reports
    bool creatable = true;            // false: the factory cannot make an object
    std::string failAt;               // the call (by name) that answers E_FAIL
    bool refuseMissingFiles = false;  // like the shell: a path that is no file is refused

  private:
    class Object;
};

}  // namespace korvo::fake
