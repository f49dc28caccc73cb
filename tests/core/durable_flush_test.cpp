// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Linux: the settings file's replacement reaches the disk in the order that survives a power
// loss. This program stands in for libc's fsync and rename to see the order.
#include <dlfcn.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "support/fixture.h"

namespace {

std::vector<std::string>* journal = nullptr;

std::string canonical(const std::string& path) {
    return std::filesystem::weakly_canonical(path).string();
}

template <class F>
F real(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" int fsync(int fd) {
    if (journal) journal->push_back("fsync " + canonical("/proc/self/fd/" + std::to_string(fd)));
    static const auto next = real<int (*)(int)>("fsync");
    return next(fd);
}

extern "C" int rename(const char* from, const char* to) noexcept {
    if (journal) journal->push_back("rename " + canonical(from) + " " + canonical(to));
    static const auto next = real<int (*)(const char*, const char*)>("rename");
    return next(from, to);
}

namespace korvo {
namespace {

TEST(SettingsFile, TheNewFileIsOnTheDiskBeforeTheRenameAndTheFolderAfterIt) {
    testing::TestProgram t;
    std::vector<std::string> calls;
    journal = &calls;
    t.app().WriteSetting("OPTION", "Folder", std::string("/b/"));
    journal = nullptr;
    ASSERT_EQ(calls.size(), 3u);
    const std::string ini = canonical(t.folder.file("Korv.ini"));
    const std::string temporary = calls[1].substr(7, calls[1].size() - 7 - ini.size() - 1);
    EXPECT_EQ(calls[0], "fsync " + temporary);
    EXPECT_EQ(calls[1], "rename " + temporary + " " + ini);
    EXPECT_EQ(calls[2], "fsync " + canonical(t.folder.str()));
}

}  // namespace
}  // namespace korvo
