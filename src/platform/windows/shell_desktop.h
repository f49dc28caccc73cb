// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "services/desktop_object.h"

struct IActiveDesktop;

namespace korvo::platform {

// Makes the shell's desktop object (class ActiveDesktop), one reference handed to the caller;
// nullptr when the shell has none. COM must be initialised on the calling thread.
IActiveDesktop* createActiveDesktop();
using ActiveDesktopCreator = std::function<IActiveDesktop*()>;

// The classic way, taken when the shell's object is missing or declines: the picture's path when
// one was given, and the style.
using WallpaperFallback =
    std::function<shell::HRESULT(const std::optional<std::wstring>& path, std::uint32_t style)>;

// The desktop object of one wallpaper change on Windows. Each call goes to the shell's own
// object with its reserved argument 0, and a failure it answers is the step's. Some shells (Wine's
// among them) have the object but answer E_NOTIMPL: from that step on the object is let go, the
// steps are only noted, and ApplyChanges makes the change the classic way. The same happens when
// the object cannot be made at all, so the engine always sees one desktop object.
class ShellDesktop final : public shell::DesktopObject {
  public:
    // Initialises COM on this thread, single-threaded apartment, for the object's lifetime.
    // Without a fallback the classic wallpaper functions serve.
    explicit ShellDesktop(const ActiveDesktopCreator& create = createActiveDesktop,
                          WallpaperFallback fallback = {});
    ~ShellDesktop() override;
    ShellDesktop(const ShellDesktop&) = delete;
    ShellDesktop& operator=(const ShellDesktop&) = delete;

    shell::HRESULT GetDesktopItemOptions(shell::COMPONENTSOPT& options) override;
    shell::HRESULT SetDesktopItemOptions(const shell::COMPONENTSOPT& options) override;
    shell::HRESULT SetWallpaperOptions(const shell::WALLPAPEROPT& options) override;
    shell::HRESULT SetWallpaper(const std::string& path) override;
    shell::HRESULT ApplyChanges(std::uint32_t flags) override;

  private:
    bool declined(shell::HRESULT answer);
    void letGo();

    bool initialisedCom_ = false;
    IActiveDesktop* shell_ = nullptr;
    WallpaperFallback fallback_;
    std::uint32_t style_ = shell::WPSTYLE_CENTER;
    std::optional<std::wstring> path_;
};

}  // namespace korvo::platform
