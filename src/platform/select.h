#pragma once

#include <memory>

#include "platform/environment.h"
#include "services/desktop_object.h"
#include "services/services.h"
#include "ui/forms/services.h"

namespace korvo::platform {

// The selection points of the platform services. Exactly one implementation is linked: the
// build picks the OS family (korvo_platform_linux or korvo_platform_windows); on Linux the
// desktop is chosen at run time from the environment snapshot.

// The desktop object for this desktop. Calling the factory makes a fresh object per change.
shell::DesktopFactory selectDesktopBackend(const Environment& env);

// Called once at start-up, before the first change: a desktop that does not keep its wallpaper
// itself (bare X11) gets the last one Korvo applied back.
void restoreWallpaper(const Environment& env);

// The log-on start entry store of this platform.
std::unique_ptr<StartupEntries> makeStartupEntries(const Environment& env);

// The folder listings and the folder browsers' drives and starting folder of this platform.
std::unique_ptr<forms::FileSystem> makeFileSystem(const Environment& env);

}  // namespace korvo::platform
