// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/environment.h"
#include "services/desktop_object.h"
#include "services/instance_channel.h"
#include "services/services.h"
#include "ui/forms/services.h"

namespace korvo::platform {

// The selection points of the platform services. Exactly one implementation is linked: the
// build picks the OS family (korvo_platform_linux or korvo_platform_windows); on Linux the
// desktop is chosen at run time from the environment snapshot.

// Everything a program needs of the system it runs on, made once by main(). The event loop and
// the window system are the binding's; bundle() puts the two sets together for Program.
struct ProgramServices {
    std::unique_ptr<forms::FileSystem> files;
    std::unique_ptr<TextFileStore> settingsStore;
    std::unique_ptr<StartupEntries> startup;
    shell::DesktopFactory desktop;
    std::function<LocalTime()> clock;
    Diagnostics* diagnostics = &silentDiagnostics();
    std::string programFolder;   // the running executable's folder
    std::string executableName;  // what the log-on entry starts
    std::string systemName;      // as the captions name it
    std::string settingsFolder;  // where Korv.ini lives, when not in the program folder

    Services bundle(forms::Scheduler& scheduler, forms::WindowServices& window) const;
};

// The services of this system. Where the settings file lives is settled here (a program folder
// this user cannot write gives a per-user copy).
ProgramServices makeProgramServices(const Environment& env);

// The hand-over to this user's running instance.
std::unique_ptr<InstanceChannel> makeInstanceChannel(const Environment& env);

// Why no window can be opened here (no graphical session), or nothing when one can.
std::optional<std::string> missingDisplay(const Environment& env);

// Called once this process is the running instance, before the first change: a desktop that
// does not keep its wallpaper itself (bare X11) gets the last one Korvo applied back.
void restoreWallpaper(const Environment& env);

// Requests from outside the windows to end the program (a signal) run `quit` from `loop`.
void watchQuitRequests(forms::Scheduler& loop, std::function<void()> quit);

// The desktop object for this desktop. Calling the factory makes a fresh object per change.
shell::DesktopFactory selectDesktopBackend(const Environment& env);

// The log-on start entry store of this platform.
std::unique_ptr<StartupEntries> makeStartupEntries(const Environment& env);

// The folder listings and the folder browsers' drives and starting folder of this platform.
std::unique_ptr<forms::FileSystem> makeFileSystem(const Environment& env);

}  // namespace korvo::platform
