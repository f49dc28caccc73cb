// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <filesystem>
#include <string>

#include "base/paths.h"
#include "platform/disk_text_file_store.h"
#include "platform/local_time.h"
#include "platform/select.h"
#include "platform/stderr_diagnostics.h"
#include "platform/windows/instance_window.h"

namespace korvo::platform {

namespace {

// The running executable's full path, however long.
std::filesystem::path runningExecutable() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return L".\\Korvo.exe";
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace

ProgramServices makeProgramServices(const Environment& env) {
    const std::filesystem::path executable = runningExecutable();
    ProgramServices system;
    system.files = makeFileSystem(env);
    system.settingsStore = std::make_unique<DiskTextFileStore>();
    system.startup = makeStartupEntries(env);
    system.desktop = selectDesktopBackend(env);
    system.clock = systemLocalTime;
    system.diagnostics = &stderrDiagnostics();
    // The folder never ends in a separator, a drive root included ("c:"), so that the folder, a
    // separator and a name always make one path.
    std::wstring folder = executable.parent_path().native();
    while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
    system.programFolder = folder.empty() ? "." : fromPath(folder);
    system.executableName = fromPath(executable.filename());
    system.systemName = "Windows";
    return system;
}

std::unique_ptr<InstanceChannel> makeInstanceChannel(const Environment&) {
    return std::make_unique<MessageWindowChannel>(instanceChannelName());
}

std::optional<std::string> missingDisplay(const Environment&) {
    return std::nullopt;
}

// Windows ends a session through the windows' own messages.
// NOLINTNEXTLINE(performance-unnecessary-value-param): Linux's keeps `quit`, by the same signature.
void watchQuitRequests(forms::Scheduler&, std::function<void()>) {}

}  // namespace korvo::platform
