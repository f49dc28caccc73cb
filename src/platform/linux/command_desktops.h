#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/environment.h"
#include "platform/linux/wallpaper_object.h"

namespace korvo::platform {

// The desktops that take a wallpaper from a command line of their own tool. Each argument
// vector goes to runProcess as it is: the path is one argument, byte for byte.
std::vector<std::string> pcmanfmQtCommand(const Wallpaper& wallpaper);
std::vector<std::string> pcmanfmCommand(const Wallpaper& wallpaper);

// swaymsg joins its arguments into one command that sway parses again (quotes, backslash
// escapes, variables) and then expands like a shell word (wordexp, command substitution
// included). The path is therefore handed over in double quotes and only when every character
// means itself at each of those steps; nullopt otherwise.
std::optional<std::vector<std::string>> swayCommand(const Wallpaper& wallpaper);

HRESULT applyPcmanfmQt(const Wallpaper& wallpaper);
HRESULT applyPcmanfm(const Wallpaper& wallpaper);

// A path that swayCommand cannot carry is reached through a symbolic link with a plain name in
// `linkFolder` (Korvo's state folder), which then holds the only such link.
HRESULT applySway(const Wallpaper& wallpaper, const std::string& linkFolder);

}  // namespace korvo::platform
