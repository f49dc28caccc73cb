// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

#include "platform/environment.h"
#include "services/text_file_store.h"

namespace korvo::platform {

// Where Korv.ini lives. A program folder the user can write (the build folder, a portable copy)
// keeps it beside the executable; a system install, whose folder belongs to root, gives each
// user $XDG_CONFIG_HOME/korvo (default ~/.config/korvo). Without a usable HOME it stays in the
// program folder, where reads still work and writes fail silently as any refused write does.
std::string settingsFolder(const std::string& programFolder, bool programFolderWritable,
                           const Environment& env);

// Whether this process may create files in `folder` (a read-only mount counts as not).
bool folderWritable(const std::string& folder);

// Creates `folder` and, when it holds no Korv.ini yet, copies the program folder's in whole, so
// that a new user starts from the laid-down defaults and sees the first-run assistant. An
// existing copy is never touched.
void laySettings(const std::string& programFolder, const std::string& folder, TextFileStore& store);

// The three together, as main() runs them once: the folder Program reads and writes Korv.ini in.
std::string prepareSettingsFolder(const std::string& programFolder, const Environment& env,
                                  TextFileStore& store);

}  // namespace korvo::platform
