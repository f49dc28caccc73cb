// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/environment.h"
#include "platform/linux/wallpaper_object.h"

namespace korvo::platform {

// The desktops that take a wallpaper from a command line of their own tool. Each argument
// vector goes to runProcess as it is: the path is one argument, byte for byte.

// A symbolic link to `picture` with a plain ASCII name in `folder` (Korvo's state folder), for
// desktops that would misread the picture's own name; a new name for each picture, so that the
// desktop sees a change, and the only such link there. nullopt when it cannot be made.
std::optional<std::string> plainLink(const std::string& picture, const std::string& folder);

// swaymsg joins its arguments into one command that sway parses again (quotes, backslash
// escapes, variables) and then expands like a shell word (wordexp, command substitution
// included). The path is therefore handed over in double quotes and only when every character
// means itself at each of those steps; nullopt otherwise.
std::optional<std::vector<std::string>> swayCommand(const Wallpaper& wallpaper);

// LXQt: pcmanfm-qt gets the picture through plainLink (it shows a name that is not UTF-8 as
// nothing), then its settings file gets the mode it does not keep itself. The change counts as
// done when the running desktop wrote the picture to its settings.
HRESULT applyPcmanfmQt(const Wallpaper& wallpaper, const Environment& env,
                       const std::string& linkFolder);
// Whether pcmanfm-qt's settings still name Korvo's picture but lost its mode (it saves the mode
// it started with when it ends): the kept wallpaper is then applied again at Korvo's start.
bool pcmanfmQtLost(const Wallpaper& kept, const Environment& env, const std::string& linkFolder);

// LXDE: pcmanfm (a name that is not UTF-8 through plainLink), or the root window as on bare X11
// when pcmanfm's desktop is not running.
HRESULT applyPcmanfm(const Wallpaper& wallpaper, const std::string& display,
                     const std::string& linkFolder);

// A path that swayCommand cannot carry is reached through plainLink.
HRESULT applySway(const Wallpaper& wallpaper, const std::string& linkFolder);

}  // namespace korvo::platform
