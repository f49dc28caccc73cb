// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/select.h"

#include "platform/linux/command_desktops.h"
#include "platform/linux/desktop_kind.h"
#include "platform/linux/gsettings_desktops.h"
#include "platform/linux/picture_file.h"
#include "platform/linux/plasma_desktop.h"
#include "platform/linux/root_window.h"
#include "platform/linux/wallpaper_object.h"
#include "platform/linux/wallpaper_state.h"
#include "platform/linux/xdg_autostart.h"
#include "platform/linux/xfce_desktop.h"

namespace korvo::platform {

namespace {

// Bare X11, sway, LXQt (its mode) and LXDE without its desktop (drawn on the root window)
// forget the wallpaper when they restart; Korvo keeps it for them.
HRESULT keepAfter(HRESULT result, const Environment& env, const Wallpaper& wallpaper) {
    if (shell::succeeded(result)) keepWallpaper(stateFolder(env), wallpaper);
    return result;
}

WallpaperApplier applierFor(DesktopKind kind, const Environment& env) {
    switch (kind) {
        case DesktopKind::Gnome:
            return [env](const Wallpaper& w) { return applyGnome(w, env); };
        case DesktopKind::Mate:
            return [env](const Wallpaper& w) { return applyMate(w, env); };
        case DesktopKind::Cinnamon:
            return [env](const Wallpaper& w) { return applyCinnamon(w, env); };
        case DesktopKind::Xfce:
            return [env](const Wallpaper& w) { return applyXfce(w, env); };
        case DesktopKind::Plasma:
            return [env](const Wallpaper& w) { return applyPlasma(w, env); };
        case DesktopKind::Lxqt:
            return [env](const Wallpaper& w) {
                return keepAfter(applyPcmanfmQt(w, env, stateFolder(env)), env, w);
            };
        case DesktopKind::Lxde:
            return [env](const Wallpaper& w) {
                return keepAfter(applyPcmanfm(w, env.get("DISPLAY"), stateFolder(env)), env, w);
            };
        case DesktopKind::Wlroots:
            return [env](const Wallpaper& w) {
                return keepAfter(applySway(w, stateFolder(env)), env, w);
            };
        case DesktopKind::X11:
            return [env](const Wallpaper& w) {
                return keepAfter(applyRootWindow(w, env.get("DISPLAY")), env, w);
            };
        case DesktopKind::Unsupported:
            break;
    }
    return nullptr;
}

}  // namespace

shell::DesktopFactory selectDesktopBackend(const Environment& env) {
    WallpaperApplier applier = applierFor(chooseDesktop(env), env);
    if (!applier) return [] { return std::unique_ptr<shell::DesktopObject>{}; };
    return [applier] { return std::make_unique<WallpaperObject>(applier); };
}

void restoreWallpaper(const Environment& env) {
    const std::string display = env.get("DISPLAY");
    const auto kind = chooseDesktop(env);
    const auto kept = keptWallpaper(stateFolder(env));
    if (!kept || sniffPictureFile(kept->path) == PictureFormat::NotAPicture) return;
    if (kind == DesktopKind::Wlroots) {
        applySway(*kept, stateFolder(env));
    } else if (kind == DesktopKind::Lxqt) {
        if (pcmanfmQtLost(*kept, env, stateFolder(env)))
            applyPcmanfmQt(*kept, env, stateFolder(env));
    } else if (kind == DesktopKind::X11 ||
               (kind == DesktopKind::Lxde && !hasDesktopWindow(display, "pcmanfm"))) {
        // Something else (a desktop, another setter) owns the background now: leave it.
        if (!rootHasBackground(display)) applyRootWindow(*kept, display);
    }
}

std::unique_ptr<StartupEntries> makeStartupEntries(const Environment& env) {
    return std::make_unique<XdgAutostart>(autostartFolder(env));
}

}  // namespace korvo::platform
