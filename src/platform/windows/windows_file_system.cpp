// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/windows/windows_file_system.h"

#include <algorithm>

#include "platform/windows/wide_text.h"
#include "platform/windows/win32.h"

namespace korvo::platform {

namespace {

// A drive letter's root as the drive list names it ("c:\"); empty for anything but a letter.
std::string driveRoot(wchar_t letter) {
    if (letter >= L'A' && letter <= L'Z') letter = static_cast<wchar_t>(letter - L'A' + L'a');
    if (letter < L'a' || letter > L'z') return {};
    return {static_cast<char>(letter), ':', '\\'};
}

}  // namespace

std::string chooseSystemDrive(const std::string& systemDriveVariable,
                              const std::wstring& windowsFolder,
                              const std::vector<std::string>& drives,
                              const std::function<bool(const std::string&)>& ready) {
    const auto known = [&](const std::string& root) {
        return !root.empty() && std::find(drives.begin(), drives.end(), root) != drives.end();
    };
    // %SystemDrive% is a drive and nothing more: "C:", perhaps with its separator.
    const std::string& named = systemDriveVariable;
    const bool plainDrive =
        (named.size() == 2 || (named.size() == 3 && named[2] == '\\')) && named[1] == ':';
    if (plainDrive && known(driveRoot(static_cast<unsigned char>(named[0]))))
        return driveRoot(static_cast<unsigned char>(named[0]));
    if (windowsFolder.size() >= 2 && windowsFolder[1] == L':' && known(driveRoot(windowsFolder[0])))
        return driveRoot(windowsFolder[0]);
    const auto first = std::find_if(drives.begin(), drives.end(), ready);
    if (first != drives.end()) return *first;
    return drives.empty() ? std::string{} : drives.front();
}

bool driveReady(const std::string& root) {
    const auto wide = widen(root);
    // No message box asks for a disc while Korvo looks.
    const UINT former = SetErrorMode(SEM_FAILCRITICALERRORS);
    const bool ready = wide && GetVolumeInformationW(wide->c_str(), nullptr, 0, nullptr, nullptr,
                                                     nullptr, nullptr, 0) != FALSE;
    SetErrorMode(former);
    return ready;
}

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

std::string WindowsFileSystem::systemDrive() {
    std::wstring windows(MAX_PATH, L'\0');
    const UINT length = GetWindowsDirectoryW(windows.data(), static_cast<UINT>(windows.size()));
    windows.resize(length < windows.size() ? length : 0);
    return chooseSystemDrive(systemDriveVariable_, windows, drives(), driveReady);
}

}  // namespace korvo::platform
