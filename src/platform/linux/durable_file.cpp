// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The durable replacement on POSIX: O_EXCL creation, fsync of the file before the rename and of
// the folder after it.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "platform/disk_text_file_store.h"

namespace korvo::platform::durable {

namespace {

bool writeAll(int fd, const std::string& content) {
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

Written writeNew(const std::filesystem::path& path, const std::string& content) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return errno == EEXIST ? Written::NameTaken : Written::Failed;
    bool ok = writeAll(fd, content) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok) return Written::Done;
    ::unlink(path.c_str());
    return Written::Failed;
}

bool moveOver(const std::filesystem::path& from, const std::filesystem::path& to,
              bool flushFolder) {
    if (::rename(from.c_str(), to.c_str()) != 0) return false;
    if (!flushFolder) return true;
    // The new name lives in the folder: until the folder is on the disk, a power loss may bring
    // back the old entry. The file itself is whole either way, so a failure here is no failure.
    const auto folder = to.has_parent_path() ? to.parent_path() : std::filesystem::path(".");
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
    return true;
}

unsigned long processId() {
    return static_cast<unsigned long>(::getpid());
}

bool processEnded(unsigned long process) {
    const auto pid = static_cast<pid_t>(process);
    if (pid <= 0 || static_cast<unsigned long>(pid) != process) return false;
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

}  // namespace korvo::platform::durable
