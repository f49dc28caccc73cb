#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "helpers.h"
#include "platform/desktop_backend.h"
#include "platform/linux/wallpaper_state.h"
#include "platform/linux/xdg_autostart.h"

namespace korvo::platform {
namespace {

using testing::TempDir;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(DesktopEntryExec, QuotesAndEscapesByBothLayersOfTheRules) {
    EXPECT_EQ(desktopEntryExec("/opt/korvo/korvo"), "/opt/korvo/korvo");
    EXPECT_EQ(desktopEntryExec("/opt/My Apps/korvo"), "\"/opt/My Apps/korvo\"");
    // '"', '$', '`' and '\\' take a backslash inside the quotes, and every backslash is then
    // doubled again as the string value is written.
    EXPECT_EQ(desktopEntryExec("/o/a\"b$c`d\\e"), R"("/o/a\\"b\\$c\\`d\\\\e")");
    EXPECT_EQ(desktopEntryExec("/o/100%/korvo"), "/o/100%%/korvo");
    EXPECT_EQ(desktopEntryExec("/o/line\nbreak"), "\"/o/line\\nbreak\"");
    EXPECT_EQ(desktopEntryExec("/o/Été/korvo"), "/o/Été/korvo");
    EXPECT_FALSE(desktopEntryExec("/o/\xff/korvo"));
    EXPECT_FALSE(desktopEntryExec(""));
}

TEST(XdgAutostart, WritesAndRemovesTheEntryFile) {
    TempDir config;
    const Environment env{{{"XDG_CONFIG_HOME", config.path()}, {"HOME", "/nonexistent"}}};
    auto entries = makeStartupEntries(env);
    const std::string file = config.file("autostart/korvo.desktop");

    ASSERT_TRUE(entries->add("Korvo", "/opt/My Apps/korvo"));
    EXPECT_EQ(readFile(file),
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Name=Korvo\n"
              "Exec=\"/opt/My Apps/korvo\"\n"
              "Terminal=false\n"
              "X-GNOME-Autostart-enabled=true\n");
    ASSERT_TRUE(entries->add("Korvo", "/usr/bin/korvo"));
    EXPECT_NE(readFile(file).find("\nExec=/usr/bin/korvo\n"), std::string::npos);
    // Nothing but the entry itself is left in the folder: no temporary files.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(config.file("autostart")),
                            std::filesystem::directory_iterator{}),
              1);

    EXPECT_FALSE(entries->add("Korvo", "/usr/\xff/korvo"));
    EXPECT_NE(readFile(file).find("Exec=/usr/bin/korvo"), std::string::npos)
        << "a refused program leaves the former entry whole";

    entries->remove("Korvo");
    EXPECT_FALSE(std::filesystem::exists(file));
    entries->remove("Korvo");  // already gone: nothing to do

    EXPECT_FALSE(entries->add("../evil", "/usr/bin/korvo"));
}

TEST(XdgAutostart, FindsItsFolderFromTheEnvironment) {
    EXPECT_EQ(autostartFolder(Environment{{{"XDG_CONFIG_HOME", "/c"}, {"HOME", "/h"}}}),
              "/c/autostart");
    EXPECT_EQ(autostartFolder(Environment{{{"HOME", "/h"}}}), "/h/.config/autostart");
    EXPECT_EQ(autostartFolder(Environment{{{"XDG_CONFIG_HOME", "rel"}, {"HOME", "/h"}}}),
              "/h/.config/autostart");
    EXPECT_EQ(autostartFolder(Environment{}), "");
    EXPECT_FALSE(XdgAutostart("").add("Korvo", "/usr/bin/korvo"));

    TempDir blocked;  // the autostart "folder" is a file: a failure, not a crash
    testing::writeFile(blocked.file("autostart"), "");
    EXPECT_FALSE(XdgAutostart(blocked.file("autostart")).add("Korvo", "/usr/bin/korvo"));
}

TEST(WallpaperState, KeepsAnyPathAndStyleAndIgnoresDamage) {
    TempDir state;
    const std::string folder = state.file("korvo");
    EXPECT_FALSE(keptWallpaper(folder));
    const Wallpaper odd{"/p/two\nlines \xff.png", Style::Stretch};
    ASSERT_TRUE(keepWallpaper(folder, odd));
    const auto kept = keptWallpaper(folder);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->path, odd.path);
    EXPECT_EQ(kept->style, Style::Stretch);

    for (const std::string damaged : {"", "2", "7\n/p.png", "1\nrelative.png", "x\n/p.png"}) {
        testing::writeFile(folder + "/wallpaper", damaged);
        EXPECT_FALSE(keptWallpaper(folder)) << damaged;
    }
    EXPECT_EQ(stateFolder(Environment{{{"XDG_STATE_HOME", "/s"}, {"HOME", "/h"}}}), "/s/korvo");
    EXPECT_EQ(stateFolder(Environment{{{"HOME", "/h"}}}), "/h/.local/state/korvo");
    EXPECT_EQ(stateFolder(Environment{}), "");
}

}  // namespace
}  // namespace korvo::platform
