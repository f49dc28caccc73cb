// Folder listings on Wine's file system, where the hidden attribute is real.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/windows/win32.h"
#include "platform/windows/windows_file_system.h"
#include "support/fixture.h"

namespace korvo {
namespace {

using Names = std::vector<std::string>;

TEST(WindowsFileSystem, HiddenEntriesAreLeftOutAndTheDrivesAreTheLetteredRoots) {
    testing::TempFolder folder;
    const std::string summer = "été 日本.jpg";
    for (const std::string name : {"b.bmp", "hidden.bmp", ".dot.bmp", "A.png", summer.c_str()})
        folder.write(name, "x");
    for (const std::string name : {"Sub", "Caché"})
        std::filesystem::create_directories(toPath(folder.file(name)));
    for (const std::string name : {"hidden.bmp", "Caché"})
        ASSERT_TRUE(SetFileAttributesW(toPath(folder.file(name)).c_str(), FILE_ATTRIBUTE_HIDDEN));

    const auto files = platform::makeFileSystem();
    EXPECT_EQ(files->listFiles(folder.str()), (Names{"A.png", "b.bmp", summer}));
    EXPECT_EQ(files->listFolders(folder.str()), (Names{"Sub"}));
    const auto drives = files->drives();
    EXPECT_NE(std::find(drives.begin(), drives.end(), "c:\\"), drives.end());
    EXPECT_NO_THROW(files->listFolders(drives.front()));
}

}  // namespace
}  // namespace korvo
