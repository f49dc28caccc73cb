// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The backends' own small pieces: which desktop runs, the XDG folders and autostart entry, the
// hand-over's folder, the kept wallpaper, the desktop object every desktop shares, the folder
// browsers' drives, and everything that reaches a desktop through another program and that the
// screen cannot show: the process runner, the escaping of a name in Plasma's script and xfconf's
// backdrop names.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <sstream>
#include <vector>

// Before any Xlib header, whose macros (None, Status) would break the forms' names.
#include "platform/select.h"

#include "helpers.h"
#include "platform/disk_text_file_store.h"
#include "platform/linux/desktop_kind.h"
#include "platform/linux/instance_socket.h"
#include "platform/linux/linux_file_system.h"
#include "platform/linux/plasma_desktop.h"
#include "platform/linux/wallpaper_object.h"
#include "platform/linux/wallpaper_state.h"
#include "platform/linux/xdg_autostart.h"
#include "platform/linux/xfce_desktop.h"

namespace korvo::platform {

using namespace std::chrono_literals;
using Strings = std::vector<std::string>;
using testing::TempFolder;

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

TEST(HandOver, TheSocketLivesInTheRuntimeFolderOrInAFolderOfTheUsersOwn) {
    const auto place = [](const Environment& env, unsigned long user, const std::string& tmp) {
        const InstanceSocketPlace p = instanceSocketPlace(env, user, tmp);
        return p.path + " in " + (p.privateFolder.empty() ? "-" : p.privateFolder);
    };
    EXPECT_EQ(place(Environment{{{"XDG_RUNTIME_DIR", "/run/user/1000/"}}}, 1000, "/tmp"),
              "/run/user/1000/korvo.socket in -");
    // Unset or relative (which the XDG rules say to ignore): the temp folder, in a folder of the
    // user's own.
    EXPECT_EQ(place(Environment{}, 1000, "/var/tmp/"),
              "/var/tmp/korvo-1000/korvo.socket in /var/tmp/korvo-1000");
    EXPECT_EQ(place(Environment{{{"XDG_RUNTIME_DIR", "run/user"}}}, 0, ""),
              "/tmp/korvo-0/korvo.socket in /tmp/korvo-0");
}

// A loop that only notes what it is asked to watch.
struct NoLoop : forms::Scheduler {
    void attach(forms::Runtime&) override {}
    void arm(forms::Timer&, std::chrono::milliseconds) override {}
    void disarm(forms::Timer&) override {}
    bool watch(int, std::function<void()>) override { return true; }
};

struct NoReceiver : InstanceChannel::Receiver {
    bool understands(const std::string&) const override { return false; }
    void carryOut(const std::string&) override {}
};

// Another user's listener and another user's request are met with the real program
// (tests/cli/single_instance.sh); here the folder that keeps them out.
TEST(HandOver, TheUsersFolderIsMadePrivateAndNotUsedWhereAnotherUserCouldReachIt) {
    TempFolder temporary;
    NoLoop loop;
    NoReceiver receiver;
    korvo::testing::RecordingDiagnostics said;
    const InstanceSocketPlace place =
        instanceSocketPlace(Environment{}, ::getuid(), temporary.str());
    const auto mode = [](const std::string& path) {
        struct stat found {};
        return ::lstat(path.c_str(), &found) == 0 ? found.st_mode : 0;
    };
    {
        UnixSocketChannel channel(place, ::getuid(), said);
        EXPECT_EQ(channel.send("show"), InstanceChannel::Delivery::NoneRunning);
        EXPECT_EQ(mode(place.privateFolder), 0u) << "a start that hands over makes nothing";
        ASSERT_EQ(channel.listen(loop, receiver), InstanceChannel::Claim::Claimed);
        EXPECT_EQ(mode(place.privateFolder), S_IFDIR | 0700u);
        EXPECT_EQ(mode(place.path), S_IFSOCK | 0600u);
    }
    EXPECT_EQ(said.reports, Strings{});

    const auto refused = [&](const std::string& why) {
        said.reports.clear();
        UnixSocketChannel channel(place, ::getuid(), said);
        EXPECT_EQ(channel.send("quit"), InstanceChannel::Delivery::NoneRunning);
        EXPECT_EQ(channel.listen(loop, receiver), InstanceChannel::Claim::Failed);
        const std::string line =
            "not using the hand-over folder|" + place.privateFolder + "|" + why;
        EXPECT_EQ(said.reports, (Strings{line, line}));
        EXPECT_EQ(mode(place.path), 0u) << why;
    };
    ASSERT_EQ(::chmod(place.privateFolder.c_str(), 0755), 0);
    refused("open to other users (mode 0755)");
    // A link to a good folder: whoever made the link chooses where it leads.
    const std::string good = temporary.file("good");
    ASSERT_EQ(::rename(place.privateFolder.c_str(), good.c_str()), 0);
    ASSERT_EQ(::chmod(good.c_str(), 0700), 0);
    ASSERT_EQ(::symlink(good.c_str(), place.privateFolder.c_str()), 0);
    refused("a link, not a folder");
    ASSERT_EQ(::unlink(place.privateFolder.c_str()), 0);
    if (::geteuid() == 0) {
        ASSERT_EQ(::mkdir(place.privateFolder.c_str(), 0700), 0);
        ASSERT_EQ(::chown(place.privateFolder.c_str(), 65534, 65534), 0);
        refused("owned by user 65534, not by this one");
    }
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
    TempFolder config;
    auto entries = makeStartupEntries(Environment{{{"XDG_CONFIG_HOME", config.str()}}});
    const std::string file = config.file("autostart/korvo.desktop");
    ASSERT_TRUE(entries->add("Korvo", "/usr/bin/korvo"));
    ASSERT_TRUE(entries->add("Korvo", "/opt/My Apps/korvo"));
    const std::string entry =
        "[Desktop Entry]\nType=Application\nName=Korvo\nExec=\"/opt/My Apps/korvo\"\n"
        "Icon=korvo\nTerminal=false\nX-GNOME-Autostart-enabled=true\n";
    EXPECT_EQ(DiskTextFileStore().read(file), entry);
    const ProcessResult check = runProcess({"desktop-file-validate", file}, 10s, Output::Capture);
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
    config.write("blocked", "");  // a file where the folder should be
    EXPECT_FALSE(XdgAutostart(config.file("blocked")).add("Korvo", "/usr/bin/korvo"));
}

TEST(WallpaperState, KeepsAnyPathAndStyleAndIgnoresDamage) {
    TempFolder state;
    const std::string folder = state.file("korvo");
    EXPECT_FALSE(keptWallpaper(folder));
    ASSERT_TRUE(keepWallpaper(folder, {"/p/two\nlines \xff.png", Style::Stretch}));
    const auto kept = keptWallpaper(folder).value_or(Wallpaper{});
    EXPECT_TRUE(kept.path == "/p/two\nlines \xff.png" && kept.style == Style::Stretch);
    for (const std::string damaged : {"", "2", "7\n/p.png", "1\nrelative.png", "x\n/p.png"}) {
        state.write("korvo/wallpaper", damaged);
        EXPECT_FALSE(keptWallpaper(folder)) << damaged;
    }
}

TEST(WallpaperObject, HandsOnlyAStyleAndAReadablePictureToTheDesktopInApplyChanges) {
    std::vector<std::string> applied;  // each picture the desktop got, and its style
    HRESULT answer = shell::S_OK;
    WallpaperObject object([&](const Wallpaper& w) {
        return applied.push_back(w.path + " " + std::to_string(static_cast<int>(w.style))), answer;
    });
    const auto setStyle = [&](std::uint32_t style, unsigned size = sizeof(shell::WALLPAPEROPT)) {
        return shell::succeeded(object.SetWallpaperOptions({size, style}));
    };
    EXPECT_FALSE(setStyle(3) || setStyle(0xFFFFFFFFu) || setStyle(shell::WPSTYLE_TILE, 4));
    TempFolder dir;
    dir.write("text.jpg", "hello");
    dir.write("empty.png", "");
    // A FIFO named like a picture must not block the check.
    ASSERT_EQ(::mkfifo(dir.file("pipe.png").c_str(), 0600), 0);
    for (const std::string& path :
         {std::string("Null"), std::string(), dir.file("missing.png"), dir.file("text.jpg"),
          dir.file("empty.png"), dir.file("pipe.png"), dir.str(),
          std::string("/tmp/a\0b.png", 12)}) {
        EXPECT_FALSE(shell::succeeded(object.SetWallpaper(path))) << path;
    }
    EXPECT_EQ(object.ApplyChanges(7), shell::S_OK);
    EXPECT_TRUE(applied.empty()) << "a refused picture reached the desktop";

    // A relative name is made absolute against the current folder.
    testing::writePicture(dir.file("été à la plage.png"));
    EXPECT_TRUE(setStyle(shell::WPSTYLE_STRETCH));
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(dir.str());
    const HRESULT set = object.SetWallpaper("été à la plage.png");
    std::filesystem::current_path(before);
    ASSERT_EQ(set, shell::S_OK);
    EXPECT_TRUE(applied.empty());
    EXPECT_EQ(object.ApplyChanges(7), shell::S_OK);
    EXPECT_EQ(applied, std::vector<std::string>{dir.file("été à la plage.png") + " 2"});
    answer = shell::E_FAIL;
    EXPECT_EQ(object.ApplyChanges(7), shell::E_FAIL) << "the desktop's failure reaches the core";
}

TEST(ProcessRunner, PassesEveryArgumentByteForByteWithoutAShell) {
    for (const std::string argument :
         {"it's \"q\"", "$(touch /tmp/korvo-pwned) `id`; exit 3 | cat &", "line\nbreak",
          "\xff\xfe not utf-8", "*", "-n", ""}) {
        const auto result = runProcess({"printf", "%s", argument}, 5s, Output::Capture);
        EXPECT_TRUE(result.succeeded() && result.output == argument) << argument;
    }
    EXPECT_FALSE(std::filesystem::exists("/tmp/korvo-pwned"));
    // More than a pipe holds: the tool waits on its end of the pipe instead of failing.
    const auto large = runProcess({"head", "-c", "300000", "/dev/zero"}, 5s, Output::Capture);
    EXPECT_TRUE(large.succeeded() && large.output.size() == 300000u);
}

TEST(ProcessRunner, TellsExitsSignalsTimeOutsAndMissingProgramsApart) {
    const std::pair<Strings, HRESULT> cases[] = {
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
    const int input = ::dup(0);
    ASSERT_TRUE(::pipe(ends) == 0 && ::dup2(ends[0], 0) == 0 && ::dup2(ends[0], 57) == 57);
    const HRESULT cat = runProcess({"cat"}, 1s).hresult();
    std::istringstream fds(runProcess({"ls", "/proc/self/fd"}, 10s, Output::Capture).output);
    ::dup2(input, 0);
    for (const int fd : {input, ends[0], ends[1], 57}) ::close(fd);
    EXPECT_EQ(cat, shell::S_OK);
    for (std::string fd; std::getline(fds, fd);) EXPECT_LE(std::stoi(fd), 3) << "inherited " << fd;
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

// Reading the backdrops back from xfconf's listing is met against the real xfconf and xfdesktop.
TEST(XfceBackdrops, NewOnesAreNamedForEachWorkspaceOfEachMonitorWithAUsableName) {
    EXPECT_EQ(xfceNewBackdrops({"eDP-1", "a/b", ""}, 2),
              (Strings{"/backdrop/screen0/monitoreDP-1/workspace0",
                       "/backdrop/screen0/monitoreDP-1/workspace1"}));
}

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
    EXPECT_EQ(volumeRoots(table), (Strings{"/", "/media/ann/MY PHOTOS", "/run/media/ann/USB",
                                           "/home", "/srv/pictures"}));
    EXPECT_EQ(volumeRoots(""), Strings{"/"}) << "no table: the root alone";
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
    TempFolder home;
    home.write("user-dirs.dirs", "XDG_PICTURES_DIR=\"$HOME/Pictures\"\n");
    const Environment env{{{"HOME", home.str()}, {"XDG_CONFIG_HOME", home.str()}}};
    EXPECT_EQ(makeFileSystem(env)->startFolder(), home.str()) << "named but never made";
    std::filesystem::create_directories(home.file("Pictures"));
    EXPECT_EQ(makeFileSystem(env)->startFolder(), home.file("Pictures"));
}

}  // namespace korvo::platform
