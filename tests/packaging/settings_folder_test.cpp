// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Where Korv.ini lives beside a read-only program, and its first copy for a new user.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/linux/settings_folder.h"
#include "support/fixture.h"

namespace korvo::platform {
namespace {

TEST(SettingsFolder, AWritableProgramFolderKeepsItsSettingsElseTheUsersConfigFolder) {
    const std::tuple<bool, std::map<std::string, std::string>, const char*> cases[] = {
        {true, {{"HOME", "/home/ann"}}, "/opt/korvo"},
        {false, {{"HOME", "/home/ann"}}, "/home/ann/.config/korvo"},
        {false, {{"HOME", "/home/ann"}, {"XDG_CONFIG_HOME", "/cfg"}}, "/cfg/korvo"},
        // A relative XDG folder is ignored, as the XDG rules say.
        {false, {{"HOME", "/home/ann"}, {"XDG_CONFIG_HOME", "cfg"}}, "/home/ann/.config/korvo"},
        // Nowhere of the user's own: reads still work in the program folder.
        {false, {}, "/opt/korvo"},
        {false, {{"HOME", "relative"}}, "/opt/korvo"},
    };
    for (const auto& [writable, env, folder] : cases)
        EXPECT_EQ(settingsFolder("/opt/korvo", writable, Environment{env}), folder)
            << ::testing::PrintToString(env) << " writable=" << writable;
}

TEST(SettingsFolder, ANewUserGetsTheProgramFoldersCopyOnceAndKeepsTheirOwn) {
    testing::TempFolder top;
    DiskTextFileStore store;
    // No defaults to copy: no file, so that the assistant still runs.
    laySettings(top.str(), top.file("own"), store);
    EXPECT_TRUE(std::filesystem::is_directory(toPath(top.file("own"))));
    EXPECT_FALSE(std::filesystem::exists(toPath(top.file("own/Korv.ini"))));

    top.write("Korv.ini", "[Start]\r\nFirst=1\r\n");
    laySettings(top.str(), top.file("own"), store);
    EXPECT_EQ(top.read("own/Korv.ini"), "[Start]\r\nFirst=1\r\n");
    top.write("own/Korv.ini", "[Start]\r\nFirst=0\r\n");
    laySettings(top.str(), top.file("own"), store);
    EXPECT_EQ(top.read("own/Korv.ini"), "[Start]\r\nFirst=0\r\n");
}

TEST(SettingsFolder, AProgramFolderOnlyRootCanWriteIsNotWritable) {
    testing::TempFolder top;
    EXPECT_TRUE(folderWritable(top.str()));
    EXPECT_FALSE(folderWritable(top.file("missing")));
    // Root may write anywhere, so the read-only case is checked on a /proc folder that refuses
    // writes to all.
    EXPECT_FALSE(folderWritable("/proc/1/fdinfo"));
}

}  // namespace
}  // namespace korvo::platform
