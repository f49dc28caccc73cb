// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>

#include "platform/environment.h"
#include "platform/linux/wallpaper_object.h"

namespace korvo::platform {

// Korvo's own state folder: $XDG_STATE_HOME/korvo, else ~/.local/state/korvo; empty when the
// snapshot names neither (a relative XDG_STATE_HOME counts as unset, as the XDG rules say).
std::string stateFolder(const Environment& env);

// The last wallpaper Korvo applied, for the desktops that forget it (bare X11, sway). Written as
// a whole or not at all; a missing or damaged file reads as nothing.
bool keepWallpaper(const std::string& folder, const Wallpaper& wallpaper);
std::optional<Wallpaper> keptWallpaper(const std::string& folder);

}  // namespace korvo::platform
