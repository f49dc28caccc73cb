// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/windows/windows_file_system.h"

#include "platform/windows/win32.h"

namespace korvo::platform {

bool WindowsFileSystem::isHidden(const std::filesystem::directory_entry& entry) const {
    if (StdFileSystem::isHidden(entry)) return true;
    const DWORD attributes = GetFileAttributesW(entry.path().c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
}

std::vector<std::string> WindowsFileSystem::drives() {
    std::vector<std::string> roots;
    const DWORD letters = GetLogicalDrives();
    for (int index = 0; index < 26; ++index) {
        if (letters & (1u << index))
            roots.push_back(std::string{static_cast<char>('a' + index)} + ":\\");
    }
    return roots;
}

}  // namespace korvo::platform
