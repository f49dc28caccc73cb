// The backends' own small pieces: which desktop runs, the XDG folders and autostart entry, the
// kept wallpaper, picture sniffing and the desktop object every desktop shares.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>
#include <vector>

// Before any Xlib header, whose macros (None, Status) would break the forms' names.
#include "platform/select.h"

#include "helpers.h"
#include "platform/disk_text_file_store.h"
#include "platform/linux/desktop_kind.h"
#include "platform/linux/picture_file.h"
#include "platform/linux/wallpaper_object.h"
#include "platform/linux/wallpaper_state.h"
#include "platform/linux/xdg_autostart.h"

namespace korvo::platform {

using testing::TempDir;

// The plain names each desktop sets are met by the real-desktop tests; these are the fallbacks.
TEST(Selection, NamesTheDesktopFromTheSessionVariables) {
    const std::pair<const char*, DesktopKind> cases[] = {
        // The current desktop wins over the session names and the display.
        {"XDG_CURRENT_DESKTOP=MATE DESKTOP_SESSION=gnome DISPLAY=:0", DesktopKind::Mate},
        {"XDG_SESSION_DESKTOP=plasma DISPLAY=:0", DesktopKind::Plasma},
        {"DESKTOP_SESSION=/usr/share/xsessions/plasma", DesktopKind::Plasma},
        {"DESKTOP_SESSION=ubuntu", DesktopKind::Gnome},
        {"XDG_CURRENT_DESKTOP=Hyprland SWAYSOCK=/run/user/1/sway-ipc.sock", DesktopKind::Wlroots},
        // A Wayland session nobody named: the X server beside it does not show the wallpaper.
        {"WAYLAND_DISPLAY=wayland-0 DISPLAY=:0", DesktopKind::Unsupported},
        {"XDG_CURRENT_DESKTOP=openbox DISPLAY=:1", DesktopKind::X11},
        {"", DesktopKind::Unsupported},
    };
    for (const auto& [variables, kind] : cases) {
        Environment env;
        std::istringstream words(variables);
        for (std::string word; words >> word;)
            env.values[word.substr(0, word.find('='))] = word.substr(word.find('=') + 1);
        EXPECT_EQ(chooseDesktop(env), kind) << variables;
    }
}

// An absolute XDG_CONFIG_HOME and XDG_STATE_HOME are what the autostart and sway tests use.
TEST(XdgFolders, FallBackOnHomeForARelativeVariable) {
    const Environment relative{{{"XDG_CONFIG_HOME", "c"}, {"XDG_STATE_HOME", "s"}, {"HOME", "/h"}}};
    EXPECT_EQ(autostartFolder(relative), "/h/.config/autostart");
    EXPECT_EQ(stateFolder(relative), "/h/.local/state/korvo");
    EXPECT_EQ(stateFolder(Environment{{{"HOME", "h"}}}), "");
}

TEST(DesktopEntryExec, QuotesAndEscapesByBothLayersOfTheRules) {
    // '"', '$', '`' and '\\' take a backslash inside the quotes, and every backslash is then
    // doubled again as the string value is written.
    EXPECT_EQ(desktopEntryExec("/o/a\"b$c`d\\e"), R"("/o/a\\"b\\$c\\`d\\\\e")");
    EXPECT_EQ(desktopEntryExec("/o/100%/korvo"), "/o/100%%/korvo");
    EXPECT_EQ(desktopEntryExec("/o/line\nbreak"), "\"/o/line\\nbreak\"");
    // A key-file reader takes form feeds and vertical tabs off the ends of a value.
    EXPECT_EQ(desktopEntryExec("\f/o/korvo\v"), "\"\f/o/korvo\v\"");
    EXPECT_EQ(desktopEntryExec("/o/Été/korvo"), "/o/Été/korvo");
    EXPECT_FALSE(desktopEntryExec("/o/\xff/korvo"));
    EXPECT_FALSE(desktopEntryExec(""));
}

TEST(XdgAutostart, WritesAndRemovesTheEntryFile) {
    TempDir config;
    auto entries = makeStartupEntries(Environment{{{"XDG_CONFIG_HOME", config.path}}});
    const std::string file = config.file("autostart/korvo.desktop");
    ASSERT_TRUE(entries->add("Korvo", "/usr/bin/korvo"));
    ASSERT_TRUE(entries->add("Korvo", "/opt/My Apps/korvo"));
    const std::string entry =
        "[Desktop Entry]\nType=Application\nName=Korvo\nExec=\"/opt/My Apps/korvo\"\n"
        "Icon=korvo\nTerminal=false\nX-GNOME-Autostart-enabled=true\n";
    EXPECT_EQ(DiskTextFileStore().read(file), entry);
    const ProcessResult check =
        runProcess({"desktop-file-validate", file}, std::chrono::seconds(10), Output::Capture);
    EXPECT_TRUE(check.succeeded() && check.output.empty()) << check.output;
    EXPECT_FALSE(entries->add("Korvo", "/usr/\xff/korvo"));
    EXPECT_FALSE(entries->add("../evil", "/usr/bin/korvo"));
    EXPECT_EQ(DiskTextFileStore().read(file), entry)
        << "a refused program leaves the former entry whole";
    // Nothing but the entry itself is left in the folder: no temporary files.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(config.file("autostart")), {}), 1);
    entries->remove("Korvo");
    EXPECT_FALSE(std::filesystem::exists(file));
    entries->remove("Korvo");  // already gone: nothing to do

    EXPECT_FALSE(XdgAutostart("").add("Korvo", "/usr/bin/korvo"));
    testing::writeFile(config.file("blocked"), "");  // a file where the folder should be
    EXPECT_FALSE(XdgAutostart(config.file("blocked")).add("Korvo", "/usr/bin/korvo"));
}

TEST(WallpaperState, KeepsAnyPathAndStyleAndIgnoresDamage) {
    TempDir state;
    const std::string folder = state.file("korvo");
    EXPECT_FALSE(keptWallpaper(folder));
    ASSERT_TRUE(keepWallpaper(folder, {"/p/two\nlines \xff.png", Style::Stretch}));
    const auto kept = keptWallpaper(folder).value_or(Wallpaper{});
    EXPECT_TRUE(kept.path == "/p/two\nlines \xff.png" && kept.style == Style::Stretch);
    for (const std::string damaged : {"", "2", "7\n/p.png", "1\nrelative.png", "x\n/p.png"}) {
        testing::writeFile(folder + "/wallpaper", damaged);
        EXPECT_FALSE(keptWallpaper(folder)) << damaged;
    }
}

TEST(PictureSniffing, KnowsTheCommonFormatsByTheirFirstBytes) {
    using namespace std::string_view_literals;
    const std::pair<std::string_view, PictureFormat> cases[] = {
        {"\xff\xd8\xff\xe0\0\x10JFIF"sv, PictureFormat::Jpeg},
        {"RIFF\x24\0\0\0WEBPVP8 "sv, PictureFormat::WebP},
        {"MM\0*\0\0\0\x08"sv, PictureFormat::Tiff},
        {"\0\0\0\034ftypavif\0\0\0\0"sv, PictureFormat::Heif},
        {"\xff\x0a\xfa\x7f"sv, PictureFormat::JpegXl},
        {"BMW is a car, not a bitmap"sv, PictureFormat::NotAPicture},
        {"RIFF\x24\0\0\0WAVEfmt "sv, PictureFormat::NotAPicture},
        {"\x89PN"sv, PictureFormat::NotAPicture},
    };
    for (const auto& [head, format] : cases) EXPECT_EQ(sniffPicture(head), format) << head;
}

TEST(WallpaperObject, HandsOnlyAStyleAndAReadablePictureToTheDesktopInApplyChanges) {
    std::vector<Wallpaper> applied;
    HRESULT answer = shell::S_OK;
    WallpaperObject object([&](const Wallpaper& w) { return applied.push_back(w), answer; });
    const auto setStyle = [&](std::uint32_t style, unsigned size = sizeof(shell::WALLPAPEROPT)) {
        return shell::succeeded(object.SetWallpaperOptions({size, style}));
    };
    EXPECT_FALSE(setStyle(3) || setStyle(0xFFFFFFFFu) || setStyle(shell::WPSTYLE_TILE, 4));
    TempDir dir;
    testing::writeFile(dir.file("text.jpg"), "hello");
    testing::writeFile(dir.file("empty.png"), "");
    // A FIFO named like a picture must not block the check.
    ASSERT_EQ(::mkfifo(dir.file("pipe.png").c_str(), 0600), 0);
    for (const std::string& path :
         {std::string("Null"), std::string(), dir.file("missing.png"), dir.file("text.jpg"),
          dir.file("empty.png"), dir.file("pipe.png"), dir.path,
          std::string("/tmp/a\0b.png", 12)}) {
        EXPECT_FALSE(shell::succeeded(object.SetWallpaper(path))) << path;
    }
    EXPECT_EQ(object.ApplyChanges(7), shell::S_OK);
    EXPECT_TRUE(applied.empty()) << "a refused picture reached the desktop";

    // A relative name is made absolute against the current folder.
    testing::writePicture(dir.file("été à la plage.png"));
    EXPECT_TRUE(setStyle(shell::WPSTYLE_STRETCH));
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path);
    const HRESULT set = object.SetWallpaper("été à la plage.png");
    std::filesystem::current_path(before);
    ASSERT_EQ(set, shell::S_OK);
    EXPECT_TRUE(applied.empty());
    EXPECT_EQ(object.ApplyChanges(7), shell::S_OK);
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied[0].path, dir.file("été à la plage.png"));
    EXPECT_EQ(applied[0].style, Style::Stretch);
    answer = shell::E_FAIL;
    EXPECT_EQ(object.ApplyChanges(7), shell::E_FAIL) << "the desktop's failure reaches the core";
}

}  // namespace korvo::platform
