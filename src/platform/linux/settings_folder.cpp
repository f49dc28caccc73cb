// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/settings_folder.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "base/paths.h"
#include "platform/linux/xdg_autostart.h"

namespace korvo::platform {

std::string settingsFolder(const std::string& programFolder, bool programFolderWritable,
                           const Environment& env) {
    if (programFolderWritable) return programFolder;
    const std::string own = xdgFolder(env, "XDG_CONFIG_HOME", ".config", "korvo");
    return own.empty() ? programFolder : own;
}

bool folderWritable(const std::string& folder) {
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

void laySettings(const std::string& programFolder, const std::string& folder,
                 TextFileStore& store) {
    if (folder == programFolder) return;
    std::error_code error;
    std::filesystem::create_directories(toPath(folder), error);
    const std::string target = folder + "/Korv.ini";
    if (store.exists(target)) return;
    if (const auto defaults = store.read(programFolder + "/Korv.ini"))
        store.replace(target, *defaults);
}

std::string prepareSettingsFolder(const std::string& programFolder, const Environment& env,
                                  TextFileStore& store) {
    std::string folder = settingsFolder(programFolder, folderWritable(programFolder), env);
    laySettings(programFolder, folder, store);
    return folder;
}

}  // namespace korvo::platform
