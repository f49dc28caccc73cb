// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "ui/forms/services.h"

namespace korvo::platform {

// Folder listings on std::filesystem. A name starting with "." is hidden; platforms with a hidden
// attribute of their own extend isHidden.
class StdFileSystem : public forms::FileSystem {
  public:
    std::vector<std::string> listFiles(const std::string& folder) override;
    std::vector<std::string> listFolders(const std::string& folder) override;
    std::vector<std::string> drives() override;

  protected:
    virtual bool isHidden(const std::filesystem::directory_entry& entry) const;

  private:
    std::vector<std::string> list(const std::string& folder, bool folders);
};

// Orders names as the lists show them: letter case does not count, then bytes break ties.
void sortNames(std::vector<std::string>& names);

}  // namespace korvo::platform
