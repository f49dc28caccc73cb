// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The durable replacement on Windows: CREATE_NEW creation, FlushFileBuffers before the move, and
// a move that returns only once it is on the disk.
#include "platform/disk_text_file_store.h"
#include "platform/windows/win32.h"

#include <algorithm>

namespace korvo::platform::durable {

namespace {

bool writeAll(HANDLE file, const std::string& content) {
    std::size_t done = 0;
    while (done < content.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, content.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

}  // namespace

Written writeNew(const std::filesystem::path& path, const std::string& content) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? Written::NameTaken
                                                                           : Written::Failed;
    }
    bool ok = writeAll(file, content) && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    if (ok) return Written::Done;
    DeleteFileW(path.c_str());
    return Written::Failed;
}

bool moveOver(const std::filesystem::path& from, const std::filesystem::path& to,
              bool flushFolder) {
    return MoveFileExW(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | (flushFolder ? MOVEFILE_WRITE_THROUGH : 0)) != 0;
}

unsigned long processId() {
    return GetCurrentProcessId();
}

bool processEnded(unsigned long process) {
    const HANDLE handle = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                                      static_cast<DWORD>(process));
    if (!handle) return GetLastError() == ERROR_INVALID_PARAMETER;  // no such process
    const bool ended = WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
    CloseHandle(handle);
    return ended;
}

}  // namespace korvo::platform::durable
