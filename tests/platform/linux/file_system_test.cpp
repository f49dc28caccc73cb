// The folder browsers' drives and starting folder on Linux.
#include <gtest/gtest.h>

#include <filesystem>

#include "helpers.h"
#include "platform/linux/linux_file_system.h"

namespace korvo::platform {

using Roots = std::vector<std::string>;
using testing::TempDir;
using testing::writeFile;

TEST(LinuxDrives, TheRootFirstThenRemovableThenOtherVolumesWithoutPseudoFileSystems) {
    const std::string table =
        "proc /proc proc rw 0 0\n"
        "/dev/sda2 /home ext4 rw,relatime 0 0\n"
        "/dev/sda1 / ext4 rw,relatime 0 0\n"
        "tmpfs /run tmpfs rw 0 0\n"
        "/dev/sdb1 /media/ann/MY\\040PHOTOS vfat rw 0 0\n"
        "server:/share /srv/pictures nfs4 rw 0 0\n"
        "/dev/loop3 /snap/core/1 squashfs ro 0 0\n"
        "/dev/sdc1 /run/media/ann/USB exfat rw 0 0\n"
        "/dev/sda2 /home ext4 rw,relatime 0 0\n"
        "truncated-line\n"
        "\n";
    EXPECT_EQ(volumeRoots(table),
              (Roots{"/", "/media/ann/MY PHOTOS", "/run/media/ann/USB", "/home", "/srv/pictures"}));
    EXPECT_EQ(volumeRoots(""), Roots{"/"}) << "no table: the root alone";
}

TEST(LinuxDrives, ThePicturesFolderAsUserDirsNamesItElseHome) {
    const Environment env{{{"HOME", "/home/ann"}}};
    const std::pair<const char*, const char*> cases[] = {
        {"# comment\nXDG_PICTURES_DIR=\"$HOME/Bilder\"\n", "/home/ann/Bilder"},
        {"XDG_PICTURES_DIR=\"/data/My \\\"Pics\\\"\"\n", "/data/My \"Pics\""},
        {"XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n", "/home/ann"},
        {"XDG_PICTURES_DIR=\"relative/pics\"\n", "/home/ann"},
        {"XDG_PICTURES_DIR=\"$HOMEWORK/x\"\n", "/home/ann"},
        {"", "/home/ann"},
    };
    for (const auto& [dirs, folder] : cases) EXPECT_EQ(picturesFolder(env, dirs), folder) << dirs;
}

TEST(LinuxDrives, TheBrowserStartsInAnExistingPicturesFolder) {
    TempDir home;
    writeFile(home.file("user-dirs.dirs"), "XDG_PICTURES_DIR=\"$HOME/Pictures\"\n");
    const Environment env{{{"HOME", home.path}, {"XDG_CONFIG_HOME", home.path}}};
    EXPECT_EQ(makeFileSystem(env)->startFolder(), home.path) << "named but never made";
    std::filesystem::create_directories(home.file("Pictures"));
    EXPECT_EQ(makeFileSystem(env)->startFolder(), home.file("Pictures"));
}

}  // namespace korvo::platform
