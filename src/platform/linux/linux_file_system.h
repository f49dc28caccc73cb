// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/environment.h"
#include "platform/folder_listing.h"

namespace korvo::platform {

// The folder browsers' view of a Linux machine: the "drives" are the roots of the mounted
// volumes, and the folder list opens where the user keeps pictures.
class LinuxFileSystem : public StdFileSystem {
  public:
    explicit LinuxFileSystem(const Environment& env);

    std::vector<std::string> drives() override;
    std::string systemDrive() override { return "/"; }
    std::string startFolder() override { return startFolder_; }

  private:
    std::string startFolder_;
};

// The volume roots of a mount table in the text form of /proc/self/mounts: "/" first, then the
// volumes under the places removable media are mounted (/media, /run/media, /mnt), then the
// other volumes, each once and in table order. Kernel and memory file systems, which hold no
// user's pictures, are left out.
std::vector<std::string> volumeRoots(std::string_view mountTable);

// The user's pictures folder as user-dirs.dirs names it (XDG_PICTURES_DIR, "$HOME/..." or an
// absolute path), else the home folder; empty when neither is known.
std::string picturesFolder(const Environment& env, std::string_view userDirs);

}  // namespace korvo::platform
