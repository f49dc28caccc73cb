// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/wallpaper_object.h"

#include <filesystem>
#include <system_error>

#include "base/paths.h"
#include "platform/linux/picture_file.h"

namespace korvo::platform {

using shell::E_FAIL;
using shell::E_INVALIDARG;
using shell::S_OK;

HRESULT WallpaperObject::GetDesktopItemOptions(shell::COMPONENTSOPT& options) {
    if (options.dwSize != sizeof(shell::COMPONENTSOPT)) return E_INVALIDARG;
    options.fEnableComponents = 0;
    options.fActiveDesktop = 1;
    return S_OK;
}

HRESULT WallpaperObject::SetDesktopItemOptions(const shell::COMPONENTSOPT& options) {
    return options.dwSize == sizeof(shell::COMPONENTSOPT) ? S_OK : E_INVALIDARG;
}

HRESULT WallpaperObject::SetWallpaperOptions(const shell::WALLPAPEROPT& options) {
    if (options.dwSize != sizeof(shell::WALLPAPEROPT)) return E_INVALIDARG;
    switch (options.dwStyle) {
        case shell::WPSTYLE_CENTER:
            style_ = Style::Centre;
            return S_OK;
        case shell::WPSTYLE_TILE:
            style_ = Style::Tile;
            return S_OK;
        case shell::WPSTYLE_STRETCH:
            style_ = Style::Stretch;
            return S_OK;
        default:
            return E_INVALIDARG;
    }
}

HRESULT WallpaperObject::SetWallpaper(const std::string& path) {
    // "Null" is what the settings hold before any picture was chosen; a file of that name in
    // whatever folder Korvo was started from is not what anyone meant.
    if (path.empty() || path == "Null" || path.find('\0') != std::string::npos) {
        return kFileNotFound;
    }
    std::error_code error;
    // Every desktop reads the name from another process with another working folder.
    const std::string absolute = fromPath(std::filesystem::absolute(toPath(path), error));
    if (error) return kFileNotFound;
    if (!std::filesystem::exists(toPath(absolute), error)) return kFileNotFound;
    // Most desktops store the name and decode the file later, in a process of their own: one
    // that cannot be decoded there would leave the desktop blank instead of as it was.
    if (!pictureDecodes(absolute)) return E_INVALIDARG;
    path_ = absolute;
    return S_OK;
}

HRESULT WallpaperObject::ApplyChanges(std::uint32_t) {
    // Nothing was accepted: the desktop keeps what it shows. Every change is saved and shown
    // at once whatever the flags say, since no Linux desktop can show a change it did not store.
    if (!path_) return S_OK;
    if (!applier_) return E_FAIL;
    return applier_(Wallpaper{*path_, style_});
}

}  // namespace korvo::platform
