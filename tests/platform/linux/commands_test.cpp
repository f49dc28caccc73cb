#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/linux/command_desktops.h"
#include "platform/linux/gsettings_desktops.h"
#include "platform/linux/plasma_desktop.h"
#include "platform/linux/xfce_desktop.h"

namespace korvo::platform {
namespace {

using Argv = std::vector<std::string>;

// Names a file system allows and a careless quoting would not survive.
const std::string kHostile[] = {
    "/home/u/it's \"here\".png",
    "/home/u/back\\slash\\'.png",
    "/home/u/'); evil(); ('.png",
    "/home/u/line\nbreak\r.png",
    "/home/u/$(reboot) `id` ;|&.png",
    "/home/u/\xff\xfe not utf-8 \xc3.png",
    "/home/u/sep\xe2\x80\xa8"
    "ara\xe2\x80\xa9tors.png",
    "/home/u/</script><!--.png",
};

TEST(ToolCommands, PassThePathAsOneVerbatimArgument) {
    for (const auto& path : kHostile) {
        EXPECT_EQ(pcmanfmQtCommand({path, Style::Centre}),
                  (Argv{"pcmanfm-qt", "--set-wallpaper", path, "--wallpaper-mode=center"}));
        EXPECT_EQ(pcmanfmCommand({path, Style::Tile}),
                  (Argv{"pcmanfm", "--set-wallpaper", path, "--wallpaper-mode=tile"}));
    }
    EXPECT_EQ(pcmanfmQtCommand({"/p.png", Style::Stretch}).back(), "--wallpaper-mode=stretch");
}

TEST(ToolCommands, SwayGetsOnlyPathsItsParserLeavesAlone) {
    EXPECT_EQ(swayCommand({"/home/u/My Pictures/été.png", Style::Centre}),
              (Argv{"swaymsg", "output", "*", "bg", "\"/home/u/My Pictures/été.png\"", "center"}));
    EXPECT_EQ(swayCommand({"/a/b-c_d+e@f%g:h=i.png", Style::Tile})->back(), "tile");
    EXPECT_EQ(swayCommand({"/a.png", Style::Stretch})->back(), "stretch");
    // Each of these would be split, unquoted, substituted or expanded by sway or by wordexp.
    // Bytes of other characters, UTF-8 or not, mean themselves at every step.
    for (const int plain : {5, 6}) EXPECT_TRUE(swayCommand({kHostile[plain], Style::Centre}));
    for (const int awkward : {0, 1, 2, 3, 4, 7}) {
        EXPECT_FALSE(swayCommand({kHostile[awkward], Style::Centre})) << kHostile[awkward];
    }
    for (const char* path : {"/a,b.png", "/a;b.png", "/a  b.png", "/~a.png", "/$HOME.png",
                             "/a*.png", "/a[1].png", "/a#b.png", "/a\tb.png", "relative.png"}) {
        EXPECT_FALSE(swayCommand({path, Style::Centre})) << path;
    }
}

TEST(FileUri, PercentEncodesSpacesNonAsciiAndStrayBytes) {
    EXPECT_EQ(fileUri("/tmp/a b/Été.png"), "file:///tmp/a%20b/%C3%89t%C3%A9.png");
    EXPECT_EQ(fileUri("/tmp/\xff.png"), "file:///tmp/%FF.png");
    EXPECT_EQ(fileUri("/tmp/100%/#1?.png"), "file:///tmp/100%25/%231%3F.png");
    EXPECT_EQ(fileUri("/tmp/line\nbreak.png"), "file:///tmp/line%0Abreak.png");
    EXPECT_FALSE(fileUri("relative/a.png"));
    EXPECT_FALSE(fileUri(""));
}

// Reads a single-quoted JavaScript literal back the way a JavaScript engine does; nullopt when
// the literal ends before the last character or holds anything but printable ASCII.
std::optional<std::u16string> parseJsLiteral(const std::string& literal) {
    if (literal.size() < 2 || literal.front() != '\'' || literal.back() != '\'') {
        return std::nullopt;
    }
    std::u16string out;
    for (std::size_t i = 1; i + 1 < literal.size(); ++i) {
        const char c = literal[i];
        if (c < 0x20 || c > 0x7e || c == '\'') return std::nullopt;
        if (c != '\\') {
            out += static_cast<char16_t>(c);
            continue;
        }
        if (++i + 1 >= literal.size()) return std::nullopt;
        if (literal[i] == 'u') {
            if (i + 4 >= literal.size()) return std::nullopt;
            out += static_cast<char16_t>(std::stoul(literal.substr(i + 1, 4), nullptr, 16));
            i += 4;
        } else if (literal[i] == '\\' || literal[i] == '\'' || literal[i] == '"') {
            out += static_cast<char16_t>(literal[i]);
        } else {
            return std::nullopt;
        }
    }
    return out;
}

TEST(PlasmaScript, StringLiteralsHoldAnyNameAndNothingEscapesThem) {
    EXPECT_EQ(jsStringLiteral("it's"), R"('it\'s')");
    EXPECT_EQ(jsStringLiteral("a\\b\"c"), R"('a\\b\"c')");
    EXPECT_EQ(jsStringLiteral("l\nr\r\x01"), R"('l\u000ar\u000d\u0001')");
    EXPECT_EQ(jsStringLiteral("\xe2\x80\xa8\xe2\x80\xa9"), R"('\u2028\u2029')");
    EXPECT_EQ(jsStringLiteral("\xc3\xa9\xf0\x9f\x8c\x85"), R"('\u00e9\ud83c\udf05')");
    // Bytes that are not UTF-8 (a stray, a truncated and an overlong sequence) become U+FFFD.
    EXPECT_EQ(jsStringLiteral("\xff|\xe2\x80|\xc0\xaf"), R"('\ufffd|\ufffd\ufffd|\ufffd\ufffd')");
    for (const auto& name : kHostile) {
        const std::string literal = jsStringLiteral(name);
        EXPECT_TRUE(parseJsLiteral(literal)) << literal;
    }
    EXPECT_EQ(parseJsLiteral(jsStringLiteral("'); evil(); ('")), u"'); evil(); ('");
}

TEST(PlasmaScript, SetsPluginFillModeThenImageOnEveryDesktop) {
    const auto script = plasmaScript({"/home/u/'); evil(); ('\n\xff.png", Style::Tile});
    ASSERT_TRUE(script);
    EXPECT_EQ(*script,
              "var image = 'file:///home/u/\\')%3B%20evil()%3B%20(\\'%0A%FF.png';\n"
              "var all = desktops();\n"
              "for (var i = 0; i < all.length; i++) {\n"
              "    var d = all[i];\n"
              "    d.wallpaperPlugin = 'org.kde.image';\n"
              "    d.currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General'];\n"
              "    d.writeConfig('FillMode', 3);\n"
              "    d.writeConfig('Image', image);\n"
              "}\n");
    EXPECT_NE(plasmaScript({"/a.png", Style::Centre})->find("'FillMode', 6)"), std::string::npos);
    EXPECT_NE(plasmaScript({"/a.png", Style::Stretch})->find("'FillMode', 0)"), std::string::npos);
    EXPECT_FALSE(plasmaScript({"a.png", Style::Centre}));
}

TEST(GSettingsWrites, StyleFirstThenPictureInEachDesktopsWords) {
    const Wallpaper wallpaper{"/p/a b.png", Style::Tile};
    const auto gnome = gnomeWrites(wallpaper);
    ASSERT_TRUE(gnome);
    ASSERT_EQ(gnome->size(), 3u);
    EXPECT_EQ((*gnome)[0].key, "picture-options");
    EXPECT_EQ(std::get<std::string>((*gnome)[0].value), "wallpaper");
    EXPECT_EQ((*gnome)[1].key, "picture-uri");
    EXPECT_EQ(std::get<std::string>((*gnome)[1].value), "file:///p/a%20b.png");
    EXPECT_EQ((*gnome)[2].key, "picture-uri-dark");
    EXPECT_TRUE((*gnome)[2].optional);

    const auto cinnamon = cinnamonWrites({"/p.png", Style::Centre});
    ASSERT_TRUE(cinnamon);
    EXPECT_EQ((*cinnamon)[0].schema, "org.cinnamon.desktop.background.slideshow");
    EXPECT_EQ(std::get<bool>((*cinnamon)[0].value), false);
    EXPECT_EQ(std::get<std::string>((*cinnamon)[1].value), "centered");

    const auto mate = mateWrites({"/p/a b.png", Style::Stretch});
    ASSERT_TRUE(mate);
    EXPECT_EQ(std::get<std::string>((*mate)[0].value), "stretched");
    EXPECT_EQ(std::get<std::string>((*mate)[1].value), "/p/a b.png");
    EXPECT_FALSE(mateWrites({"/p/\xff.png", Style::Centre})) << "a plain path must be UTF-8";
}

TEST(XfceCommands, FindsEveryBackdropAndWritesStyleBeforePicture) {
    const std::string listing =
        "/backdrop/screen0/monitorVirtual-1/workspace0/color-style\n"
        "/backdrop/screen0/monitorVirtual-1/workspace0/last-image\n"
        "/backdrop/screen0/monitorVirtual-1/workspace1/last-image\n"
        "/backdrop/screen0/monitorHDMI-A-1/workspace0/last-image\n"
        "/backdrop/screen0/monitor0/image-path\n"
        "/backdrop/screen0/monitor0/workspace0/last-image-old\n"
        "/backdrop/screen0/monitorX/workspaceA/last-image\n"
        "/desktop-icons/style";
    EXPECT_EQ(xfceBackdrops(listing), (Argv{"/backdrop/screen0/monitorVirtual-1/workspace0",
                                            "/backdrop/screen0/monitorVirtual-1/workspace1",
                                            "/backdrop/screen0/monitorHDMI-A-1/workspace0"}));
    EXPECT_TRUE(xfceBackdrops("").empty());

    EXPECT_EQ(xfceNewBackdrops({"eDP-1", "DP-2"}, 2),
              (Argv{"/backdrop/screen0/monitoreDP-1/workspace0",
                    "/backdrop/screen0/monitoreDP-1/workspace1",
                    "/backdrop/screen0/monitorDP-2/workspace0",
                    "/backdrop/screen0/monitorDP-2/workspace1"}));

    const std::string path = "/home/u/$(x) 'q'\n.png";
    const auto commands =
        xfceCommands({"/backdrop/screen0/monitorA/workspace0"}, {path, Style::Stretch});
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0], (Argv{"xfconf-query", "-c", "xfce4-desktop", "-p",
                                 "/backdrop/screen0/monitorA/workspace0/image-style", "-n", "-t",
                                 "int", "-s", "3"}));
    EXPECT_EQ(commands[1], (Argv{"xfconf-query", "-c", "xfce4-desktop", "-p",
                                 "/backdrop/screen0/monitorA/workspace0/last-image", "-n", "-t",
                                 "string", "-s", path}));
    EXPECT_EQ(xfceCommands({"/b"}, {"/p", Style::Centre})[0].back(), "1");
    EXPECT_EQ(xfceCommands({"/b"}, {"/p", Style::Tile})[0].back(), "2");
}

}  // namespace
}  // namespace korvo::platform
