// Everything that reaches a desktop through another program: the process runner, the argument
// vectors and scripts handed over, and the tools' own view of them through fakes in PATH.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <sstream>

#include "helpers.h"
#include "platform/linux/command_desktops.h"
#include "platform/linux/plasma_desktop.h"
#include "platform/linux/xfce_desktop.h"

namespace korvo::platform {
namespace {

using namespace std::chrono_literals;
using Argv = std::vector<std::string>;
using testing::TempDir;
using testing::writePicture;

TEST(ProcessRunner, PassesEveryArgumentByteForByteWithoutAShell) {
    for (const std::string argument :
         {"it's \"q\"", "$(touch /tmp/korvo-pwned) `id`; exit 3 | cat &", "line\nbreak",
          "\xff\xfe not utf-8", "*", "-n", ""}) {
        const auto result = runProcess({"printf", "%s", argument}, 5s, Output::Capture);
        EXPECT_TRUE(result.succeeded()) << argument;
        EXPECT_EQ(result.output, argument);
    }
    EXPECT_FALSE(std::filesystem::exists("/tmp/korvo-pwned"));
}

TEST(ProcessRunner, TellsExitsSignalsTimeOutsAndMissingProgramsApart) {
    const std::pair<Argv, HRESULT> cases[] = {
        {{"true"}, shell::S_OK},
        {{"false"}, shell::E_FAIL},
        {{"sh", "-c", "kill -TERM $$"}, shell::E_FAIL},
        {{"sleep", "30"}, kTimedOut},
        // The helper keeps the output pipe open; the program itself has ended.
        {{"sh", "-c", "sleep 3 & echo started"}, shell::S_OK},
        {{"korvo-no-such-tool-anywhere"}, kFileNotFound},
        {{}, kFileNotFound},
        {{"true", std::string("a\0b", 3)}, kFileNotFound},
    };
    for (const auto& [argv, result] : cases) {
        EXPECT_EQ(runProcess(argv, 1s, Output::Capture).hresult(), result)
            << (argv.empty() ? "" : argv.back());
    }
}

TEST(ProcessRunner, GivesTheProgramNoInputAndNoDescriptorOfItsOwn) {
    // Our input and a stray descriptor become a pipe nobody writes to, deliberately without
    // O_CLOEXEC: cat would wait on it for ever, ls would list it.
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    const int input = ::dup(0);
    ASSERT_EQ(::dup2(ends[0], 0), 0);
    ASSERT_EQ(::dup2(ends[0], 57), 57);
    const HRESULT cat = runProcess({"cat"}, 1s).hresult();
    std::istringstream fds(runProcess({"ls", "/proc/self/fd"}, 10s, Output::Capture).output);
    ::dup2(input, 0);
    for (const int fd : {input, ends[0], ends[1], 57}) ::close(fd);
    EXPECT_EQ(cat, shell::S_OK);
    for (std::string fd; std::getline(fds, fd);) EXPECT_LE(std::stoi(fd), 3) << "inherited " << fd;
}

TEST(SwayCommand, CarriesOnlyPathsThatMeanThemselvesToSwayAndToWordexp) {
    EXPECT_EQ(swayCommand({"/home/u/My Pictures/été.png", Style::Centre}),
              (Argv{"swaymsg", "output", "*", "bg", "\"/home/u/My Pictures/été.png\"", "center"}));
    // Bytes of other characters, UTF-8 or not, mean themselves at every step.
    for (const char* plain :
         {"/a/b-c_d+e@f%g:h=i.png", "/u/\xff\xfe not utf-8 \xc3.png", "/u/\xe2\x80\xa8.png"}) {
        EXPECT_TRUE(swayCommand({plain, Style::Tile})) << plain;
    }
    // Each of these would be split, unquoted, substituted or expanded by sway or by wordexp.
    for (const char* awkward :
         {"/it's.png", "/\"q\".png", "/back\\slash.png", "/a\nb\r.png", "/$(reboot) `id`.png",
          "/a|b&.png", "/</script><!--.png", "/a,b.png", "/a;b.png", "/a  b.png", "/~a.png",
          "/$HOME.png", "/a*.png", "/a[1].png", "/a#b.png", "/a\tb.png", "relative.png"}) {
        EXPECT_FALSE(swayCommand({awkward, Style::Centre})) << awkward;
    }
}

TEST(PlasmaScript, StringLiteralsHoldAnyNameAndNothingEscapesThem) {
    const std::pair<const char*, const char*> cases[] = {
        {"it's", R"('it\'s')"},
        {"'); evil(); ('", R"('\'); evil(); (\'')"},
        {"a\\b\"c\\'", R"('a\\b\"c\\\'')"},
        {"\\u0027</script>", R"('\\u0027</script>')"},
        {"l\nr\r\x01", R"('l\u000ar\u000d\u0001')"},
        {"\xe2\x80\xa8\xe2\x80\xa9", R"('\u2028\u2029')"},
        {"\xc3\xa9\xf0\x9f\x8c\x85", R"('\u00e9\ud83c\udf05')"},
        // Bytes that are not UTF-8 (a stray, a truncated and an overlong sequence) become U+FFFD.
        {"\xff|\xe2\x80|\xc0\xaf", R"('\ufffd|\ufffd\ufffd|\ufffd\ufffd')"},
    };
    for (const auto& [text, literal] : cases) EXPECT_EQ(jsStringLiteral(text), literal);
}

TEST(PlasmaScript, SetsPluginFillModeThenImageOnEveryDesktop) {
    const std::string script =
        "var image = 'file:///home/u/\\')%3B%20evil()%3B%20(\\'%0A%FF%23%3F.png';\n"
        "var all = desktops();\n"
        "for (var i = 0; i < all.length; i++) {\n"
        "    var d = all[i];\n"
        "    d.wallpaperPlugin = 'org.kde.image';\n"
        "    d.currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General'];\n"
        "    d.writeConfig('FillMode', @);\n"
        "    d.writeConfig('Image', image);\n"
        "}\n";
    for (const auto& [style, mode] : {std::pair{Style::Centre, "6"}, std::pair{Style::Tile, "3"},
                                      std::pair{Style::Stretch, "0"}}) {
        EXPECT_EQ(plasmaScript({"/home/u/'); evil(); ('\n\xff#?.png", style}),
                  std::string(script).replace(script.find('@'), 1, mode));
    }
    EXPECT_FALSE(plasmaScript({"a.png", Style::Centre}));
}

TEST(XfceBackdrops, TakesEveryBackdropOfTheListingOrNamesNewOnes) {
    EXPECT_EQ(xfceBackdrops("/backdrop/screen0/monitorVirtual-1/workspace0/color-style\n"
                            "/backdrop/screen0/monitorVirtual-1/workspace0/last-image\n"
                            "/backdrop/screen0/monitorHDMI-A-1/workspace1/last-image\n"
                            "/backdrop/screen0/monitor0/workspace0/last-image-old\n"
                            "/backdrop/screen0/monitorX/workspaceA/last-image\n"
                            "/backdrop/screen0/monitor/workspace0/last-image\n"
                            "/desktop-icons/style"),
              (Argv{"/backdrop/screen0/monitorVirtual-1/workspace0",
                    "/backdrop/screen0/monitorHDMI-A-1/workspace1"}));
    EXPECT_EQ(xfceNewBackdrops({"eDP-1", "a/b", ""}, 2),
              (Argv{"/backdrop/screen0/monitoreDP-1/workspace0",
                    "/backdrop/screen0/monitoreDP-1/workspace1"}));
}

// Puts fake desktop tools first in PATH; each writes its name and arguments, NUL-separated, to a
// file.
class FakeTools : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* tool : {"pcmanfm-qt", "pcmanfm", "swaymsg"}) {
            std::ofstream(bin_.file(tool))
                << "#!/bin/sh\nprintf '%s\\0' \"${0##*/}\" \"$@\" > '" << log() << "'\n";
            ::chmod(bin_.file(tool).c_str(), 0755);
        }
        ::setenv("PATH", (bin_.path + ":" + path_).c_str(), 1);
    }
    void TearDown() override { ::setenv("PATH", path_.c_str(), 1); }

    std::string log() const { return bin_.file("arguments"); }
    Argv arguments() const {
        std::ifstream in(log(), std::ios::binary);
        Argv args;
        for (std::string arg; std::getline(in, arg, '\0');) args.push_back(arg);
        return args;
    }

    TempDir bin_, pictures_, state_;
    const std::string path_ = std::getenv("PATH");
};

TEST_F(FakeTools, PcmanfmToolsReceiveAHostileNameIntact) {
    const std::string picture = pictures_.file("it's $(x) \"q\" \\ `id`;\n\xff.png");
    writePicture(picture);
    for (const auto& [style, mode] :
         {std::pair{Style::Centre, "center"}, std::pair{Style::Tile, "tile"},
          std::pair{Style::Stretch, "stretch"}}) {
        const std::string option = std::string("--wallpaper-mode=") + mode;
        ASSERT_EQ(applyPcmanfmQt({picture, style}), shell::S_OK);
        EXPECT_EQ(arguments(), (Argv{"pcmanfm-qt", "--set-wallpaper", picture, option}));
        ASSERT_EQ(applyPcmanfm({picture, style}), shell::S_OK);
        EXPECT_EQ(arguments(), (Argv{"pcmanfm", "--set-wallpaper", picture, option}));
    }
}

TEST_F(FakeTools, SwayReachesAnAwkwardNameThroughAPlainLink) {
    const std::string first = pictures_.file("Photo (1) it's.png");
    const std::string second = pictures_.file("Photo (2) $HOME.png");
    writePicture(first);
    writePicture(second);
    ASSERT_EQ(applySway({first, Style::Tile}, state_.path), shell::S_OK);
    const std::string quoted = arguments().at(4);
    EXPECT_EQ(arguments(), (Argv{"swaymsg", "output", "*", "bg", quoted, "tile"}));
    const std::string link = quoted.substr(1, quoted.size() - 2);
    EXPECT_EQ(quoted, "\"" + link + "\"");
    EXPECT_EQ(std::filesystem::read_symlink(link), first);

    ASSERT_EQ(applySway({second, Style::Centre}, state_.path), shell::S_OK);
    const std::string secondQuoted = arguments().at(4);
    EXPECT_NE(secondQuoted, quoted) << "sway must see a new name to load the new picture";
    EXPECT_EQ(std::filesystem::read_symlink(secondQuoted.substr(1, secondQuoted.size() - 2)),
              second);
    EXPECT_FALSE(std::filesystem::is_symlink(link)) << "the former link is cleared away";
}

TEST_F(FakeTools, SwayForgetsOnRestartSoKorvoKeepsAndRestoresTheChange) {
    const Environment env{{{"XDG_CURRENT_DESKTOP", "sway"}, {"XDG_STATE_HOME", state_.path}}};
    const std::string picture = pictures_.file("plain name.png");
    writePicture(picture);
    ASSERT_EQ(testing::changeWallpaper("sway", picture, shell::WPSTYLE_STRETCH, env), shell::S_OK);
    const Argv command{"swaymsg", "output", "*", "bg", "\"" + picture + "\"", "stretch"};
    EXPECT_EQ(arguments(), command);
    std::filesystem::remove(log());
    restoreWallpaper(env);
    EXPECT_EQ(arguments(), command);

    // A kept picture that has gone since is not handed to sway.
    std::filesystem::remove(log());
    std::filesystem::remove(picture);
    restoreWallpaper(env);
    EXPECT_FALSE(std::filesystem::exists(log()));
}

}  // namespace
}  // namespace korvo::platform
