// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>

#include "platform/folder_listing.h"

namespace korvo::platform {

// Folder listings as Windows shows them: entries with the hidden attribute are left out too, and
// the drives are the lettered roots ("c:\").
class WindowsFileSystem : public StdFileSystem {
  public:
    std::vector<std::string> drives() override;
    std::string systemDrive() override { return "c:\\"; }

  protected:
    bool isHidden(const std::filesystem::directory_entry& entry) const override;
};

}  // namespace korvo::platform
