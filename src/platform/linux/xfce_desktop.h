// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/environment.h"
#include "platform/linux/wallpaper_object.h"

namespace korvo::platform {

// The backdrops named in a listing of the xfce4-desktop channel (`xfconf-query -l`): one
// "/backdrop/screenN/monitorNAME/workspaceN" for every such ".../last-image" property.
std::vector<std::string> xfceBackdrops(std::string_view listing);

// The backdrops to create when the channel has none yet: workspace 0 to workspaces-1 of every
// monitor, named after its output the way xfdesktop names them since 4.14.
std::vector<std::string> xfceNewBackdrops(const std::vector<std::string>& monitors, int workspaces);

// The xfconf-query calls that give each backdrop the style (image-style 1 centred, 2 tiled,
// 3 stretched), then the picture; properties are created when missing.
std::vector<std::vector<std::string>> xfceCommands(const std::vector<std::string>& backdrops,
                                                   const Wallpaper& wallpaper);

// Through xfconf, which stores the channel and tells a running xfdesktop. The path has to be
// UTF-8: xfconf carries text only.
HRESULT applyXfce(const Wallpaper& wallpaper, const Environment& env);

}  // namespace korvo::platform
