// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/select.h"

// Before any Win32 header, whose macros (WPSTYLE_*) would break the names this one uses.
#include "platform/windows/shell_desktop.h"

#include "platform/windows/run_key.h"
#include "platform/windows/windows_file_system.h"

namespace korvo::platform {

shell::DesktopFactory selectDesktopBackend(const Environment&) {
    return
        []() -> std::unique_ptr<shell::DesktopObject> { return std::make_unique<ShellDesktop>(); };
}

// The shell keeps its wallpaper across log-ons itself.
void restoreWallpaper(const Environment&) {}

std::unique_ptr<StartupEntries> makeStartupEntries(const Environment&) {
    return std::make_unique<RunKeyEntries>(std::vector<RunKeyLocation>{
        {RegistryHive::LocalMachine, kRunKeyPath}, {RegistryHive::CurrentUser, kRunKeyPath}});
}

std::unique_ptr<forms::FileSystem> makeFileSystem(const Environment& env) {
    return std::make_unique<WindowsFileSystem>(env.get("SystemDrive"));
}

}  // namespace korvo::platform
