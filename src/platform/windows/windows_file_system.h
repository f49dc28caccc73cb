// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/folder_listing.h"

namespace korvo::platform {

// The drive the folder browsers and the folder page start on, in the drive list's form ("c:\"):
// the drive `systemDriveVariable` names (%SystemDrive%, "C:"), else the drive of the Windows
// folder, else the first of `drives` that is ready; each only when it is one of `drives`. With
// none ready, the first drive, so that a drive box never stands blank.
std::string chooseSystemDrive(const std::string& systemDriveVariable,
                              const std::wstring& windowsFolder,
                              const std::vector<std::string>& drives,
                              const std::function<bool(const std::string&)>& ready);

// Whether a drive's volume can be read: an empty card reader or a disc drive without a disc
// cannot.
bool driveReady(const std::string& root);

// Folder listings as Windows shows them: entries with the hidden attribute are left out too, and
// the drives are the lettered roots ("c:\").
class WindowsFileSystem : public StdFileSystem {
  public:
    // `systemDriveVariable` is %SystemDrive% as the environment snapshot has it.
    explicit WindowsFileSystem(std::string systemDriveVariable = {})
        : systemDriveVariable_(std::move(systemDriveVariable)) {}

    std::vector<std::string> drives() override;
    std::string systemDrive() override;

  protected:
    bool isHidden(const std::filesystem::directory_entry& entry) const override;

  private:
    std::string systemDriveVariable_;
};

}  // namespace korvo::platform
