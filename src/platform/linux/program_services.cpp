// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/disk_text_file_store.h"
#include "platform/linux/gsettings_desktops.h"
#include "platform/linux/instance_socket.h"
#include "platform/linux/quit_signals.h"
#include "platform/linux/settings_folder.h"
#include "platform/local_time.h"
#include "platform/select.h"
#include "platform/stderr_diagnostics.h"

namespace korvo::platform {

namespace {

// The running executable, links resolved (/usr/bin/korvo is a link into the program folder).
std::filesystem::path runningExecutable() {
    std::error_code error;
    std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path("./korvo") : path;
}

}  // namespace

ProgramServices makeProgramServices(const Environment& env) {
    // Without a session bus, GLib and the toolkit would launch one of their own that outlives
    // Korvo; an address no library can connect to stops them, and the programs Korvo starts.
    if (sessionBusAddress(env).empty()) ::setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);

    const std::filesystem::path executable = runningExecutable();
    ProgramServices system;
    system.files = makeFileSystem(env);
    system.settingsStore = std::make_unique<DiskTextFileStore>();
    system.startup = makeStartupEntries(env);
    system.desktop = selectDesktopBackend(env);
    system.clock = systemLocalTime;
    system.diagnostics = &stderrDiagnostics();
    system.programFolder = executable.parent_path().string();
    system.executableName = executable.filename().string();
    system.systemName = "Linux";
    // Settings beside a read-only program go to the user's own folder.
    system.settingsFolder = prepareSettingsFolder(system.programFolder, env, *system.settingsStore);
    return system;
}

std::unique_ptr<InstanceChannel> makeInstanceChannel(const Environment& env) {
    std::error_code error;
    const std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
    return std::make_unique<UnixSocketChannel>(
        instanceSocketPlace(env, ::getuid(), error ? std::string{} : temporary.string()),
        ::getuid(), stderrDiagnostics());
}

std::optional<std::string> missingDisplay(const Environment& env) {
    // The toolkit would abort with a message about platform plugins; say what is really missing.
    if (env.has("DISPLAY") || env.has("WAYLAND_DISPLAY") || env.has("QT_QPA_PLATFORM"))
        return std::nullopt;
    return "no graphical display (neither DISPLAY nor WAYLAND_DISPLAY is set)";
}

void watchQuitRequests(forms::Scheduler& loop, std::function<void()> quit) {
    watchQuitSignals(loop, std::move(quit));
}

}  // namespace korvo::platform
