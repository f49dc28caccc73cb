// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <optional>
#include <string>

#include "services/desktop_object.h"

namespace korvo::platform {

using shell::HRESULT;

// Failure codes beyond the core's, in the shell's own numbering so a caller that logs them sees
// familiar values: HRESULT_FROM_WIN32 of ERROR_FILE_NOT_FOUND, ERROR_NOT_SUPPORTED,
// ERROR_TIMEOUT, and E_OUTOFMEMORY.
constexpr HRESULT kFileNotFound = static_cast<HRESULT>(0x80070002u);
constexpr HRESULT kOutOfMemory = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT kNotSupported = static_cast<HRESULT>(0x80070032u);
constexpr HRESULT kTimedOut = static_cast<HRESULT>(0x800705B4u);

enum class Style { Centre = 0, Tile = 1, Stretch = 2 };

// One wallpaper change: an absolute path (raw bytes, as the file system names it) and a style.
struct Wallpaper {
    std::string path;
    Style style = Style::Centre;
};

// Carries out a change on one desktop; S_OK only when the desktop took and stored it.
using WallpaperApplier = std::function<HRESULT(const Wallpaper&)>;

// The desktop object of every Linux desktop: it keeps the style and the picture the core hands
// over, refuses what no desktop could show, and lets the desktop's applier do the work in
// ApplyChanges. There is no active desktop to switch on, so it always reads as on.
class WallpaperObject : public shell::DesktopObject {
  public:
    explicit WallpaperObject(WallpaperApplier applier) : applier_(std::move(applier)) {}

    HRESULT GetDesktopItemOptions(shell::COMPONENTSOPT& options) override;
    HRESULT SetDesktopItemOptions(const shell::COMPONENTSOPT& options) override;
    HRESULT SetWallpaperOptions(const shell::WALLPAPEROPT& options) override;
    HRESULT SetWallpaper(const std::string& path) override;
    HRESULT ApplyChanges(std::uint32_t flags) override;

  private:
    WallpaperApplier applier_;
    Style style_ = Style::Centre;
    std::optional<std::string> path_;
};

}  // namespace korvo::platform
