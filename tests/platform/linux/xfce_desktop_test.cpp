// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// XFCE end to end: Korvo writes through xfconf, the real xfdesktop draws under Xvfb with a
// window manager, and the screen's pixels are compared with the picture.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include "helpers.h"

extern char** environ;

namespace korvo::platform {

using namespace testing;

// xfdesktop running beside the test, ended with the object.
struct Xfdesktop {
    pid_t pid = 0;
    Xfdesktop() {
        const char* argv[] = {"sh", "-c", "exec xfdesktop >/dev/null 2>&1", nullptr};
        if (posix_spawnp(&pid, "sh", nullptr, nullptr, const_cast<char**>(argv), environ)) pid = 0;
    }
    ~Xfdesktop() {
        if (pid > 0 && ::kill(pid, SIGTERM) == 0) ::waitpid(pid, nullptr, 0);
    }
};

TEST(XfceDesktop, XfdesktopShowsEachStyleAndKeepsItAcrossARestart) {
    ASSERT_FALSE(variable("DISPLAY").empty()) << "run inside scripts/lib/with-xvfb --wm";
    xfconf({"-p", "/desktop-icons/style", "-n", "-t", "int", "-s", "0"});  // icons would cover it
    TempFolder pictures;
    const std::string picture = pictures.file("Fonds d'écran, plage à midi.png");
    writePicture(picture, 64, 48);

    // Before xfdesktop ever ran the channel has no backdrop: Korvo names the monitors itself
    // (Xvfb's only output is "screen") for every workspace the window manager has.
    ASSERT_EQ(changeWallpaper("XFCE", picture, shell::WPSTYLE_CENTER), shell::S_OK);
    auto desktop = std::make_unique<Xfdesktop>();
    ASSERT_GT(desktop->pid, 0);
    EXPECT_TRUE(eventuallyShows(Style::Centre, 0, 30s));
    for (const auto& [option, style] : {std::pair{shell::WPSTYLE_TILE, Style::Tile},
                                        std::pair{shell::WPSTYLE_STRETCH, Style::Stretch}}) {
        ASSERT_EQ(changeWallpaper("XFCE", picture, option), shell::S_OK);
        EXPECT_TRUE(eventuallyShows(style)) << static_cast<int>(style);
    }
    // A new xfdesktop, as after logging in again, reads the stored choice.
    desktop.reset();
    desktop = std::make_unique<Xfdesktop>();
    EXPECT_TRUE(eventuallyShows(Style::Stretch, 0, 30s)) << "after a restart";
}

}  // namespace korvo::platform
