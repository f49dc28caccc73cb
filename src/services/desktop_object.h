// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace korvo::shell {

// The desktop object as the Windows shell shapes it. On Windows it is the shell's own object; on
// Linux each desktop's backend takes the same calls: it collects the style and the picture and
// does its work in ApplyChanges.

using HRESULT = std::int32_t;
constexpr HRESULT S_OK = 0;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
constexpr bool succeeded(HRESULT result) {
    return result >= 0;
}

struct COMPONENTSOPT {
    std::uint32_t dwSize = 12;
    std::int32_t fEnableComponents = 0;
    std::int32_t fActiveDesktop = 0;
};

enum WallpaperStyle : std::uint32_t { WPSTYLE_CENTER = 0, WPSTYLE_TILE = 1, WPSTYLE_STRETCH = 2 };

struct WALLPAPEROPT {
    std::uint32_t dwSize = 8;
    std::uint32_t dwStyle = WPSTYLE_CENTER;
};

enum ApplyFlags : std::uint32_t { AD_APPLY_SAVE = 1, AD_APPLY_HTMLGEN = 2, AD_APPLY_REFRESH = 4 };

class DesktopObject {
  public:
    virtual ~DesktopObject() = default;
    virtual HRESULT GetDesktopItemOptions(COMPONENTSOPT& options) = 0;
    virtual HRESULT SetDesktopItemOptions(const COMPONENTSOPT& options) = 0;
    virtual HRESULT SetWallpaperOptions(const WALLPAPEROPT& options) = 0;
    // The path as Korvo holds it (UTF-8, raw bytes on Linux); the Windows object widens it.
    virtual HRESULT SetWallpaper(const std::string& path) = 0;
    virtual HRESULT ApplyChanges(std::uint32_t flags) = 0;
};

// Makes a new desktop object for one wallpaper change; nullptr when none can be created.
using DesktopFactory = std::function<std::unique_ptr<DesktopObject>()>;

}  // namespace korvo::shell
