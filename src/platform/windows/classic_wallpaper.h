// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "services/desktop_object.h"

namespace korvo::platform {

// Hands a picture to the shell the classic way: saved in the user's profile and announced to
// every window. Answers whether the shell took it.
bool setSystemWallpaper(const std::wstring& path);
using WallpaperSetter = std::function<bool(const std::wstring& path)>;

// The wallpaper change without the shell's desktop object: the style goes first, as the values
// WallpaperStyle and TileWallpaper under HKCU\Control Panel\Desktop, then the picture. Without a
// path the current picture stays and takes the new style. Styles other than centred, tiled and
// stretched are refused before anything is written; when the picture is refused the former
// style values are put back, so a failed change leaves the desktop as it was.
shell::HRESULT applyClassicWallpaper(const std::optional<std::wstring>& path, std::uint32_t style,
                                     const WallpaperSetter& setWallpaper = setSystemWallpaper);

}  // namespace korvo::platform
