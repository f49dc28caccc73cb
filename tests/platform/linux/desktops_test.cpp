// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// KDE Plasma, LXQt, LXDE and sway end to end: one of them per run, started by
// scripts/lib/with-desktop, Korvo's change made as the core makes it, and the screen read back.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "base/ini_text.h"
#include "helpers.h"
#include "platform/disk_text_file_store.h"

namespace korvo::platform {

using namespace testing;

// Ends the desktop program and, unless `stopOnly`, starts it again and waits until it is ready.
static bool restartDesktop(bool stopOnly = false) {
    return runProcess({variable("KORVO_DESKTOP_SCRIPT"), stopOnly ? "--stop" : "--restart"}, 60s)
        .succeeded();
}

class Desktop : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(desktop_.empty()) << "run inside scripts/lib/with-desktop";
        // sway's own process runs as another user and reads the pictures itself.
        ::chmod(pictures_.str().c_str(), 0755);
    }

    HRESULT change(const std::string& name, std::uint32_t style, int turn = 0) {
        const std::string path = pictures_.file(name);
        writePicture(path, 64, 48, turn);
        return changeWallpaper(std::getenv("XDG_CURRENT_DESKTOP"), path, style, env_);
    }

    const std::string desktop_ = variable("KORVO_DESKTOP");
    TempFolder pictures_;
    Environment env_ = Environment::fromProcess();
};

// The same picture last, in two styles: a new style alone is a change as well.
TEST_F(Desktop, ShowsEachPictureWhateverItsNameInEachStyle) {
    // The desktops run in this test's folder: a name run as a command would leave the marker.
    std::filesystem::remove("korvo-ran");
    const std::tuple<const char*, std::uint32_t, Style, int> steps[] = {
        {"it's \"quoted\".png", shell::WPSTYLE_STRETCH, Style::Stretch, 0},
        {"$(touch korvo-ran) `touch korvo-ran`.png", shell::WPSTYLE_TILE, Style::Tile, 1},
        {"My Pictures, \xc3\xa9t\xc3\xa9 \xc3\xa0 midi.png", shell::WPSTYLE_CENTER, Style::Centre,
         2},
        {"not utf-8 \xff\xfe.png", shell::WPSTYLE_STRETCH, Style::Stretch, 3},
        {"plain.png", shell::WPSTYLE_TILE, Style::Tile, 0},
        {"plain.png", shell::WPSTYLE_CENTER, Style::Centre, 0},
    };
    for (const auto& [name, option, style, turn] : steps) {
        ASSERT_EQ(change(name, option, turn), shell::S_OK) << name;
        EXPECT_TRUE(eventuallyShows(style, turn)) << name;
    }
    EXPECT_FALSE(std::filesystem::exists("korvo-ran"));
}

// As after logging in again: the desktop program starts afresh, and so does Korvo, which
// restores what the desktop does not keep itself.
TEST_F(Desktop, KeepsTheWallpaperAcrossARestart) {
    ASSERT_EQ(change("kept \xff.png", shell::WPSTYLE_TILE, 2), shell::S_OK);
    ASSERT_TRUE(eventuallyShows(Style::Tile, 2));
    // pcmanfm-qt's own settings get the mode it does not keep, for its next start.
    const auto settings =
        DiskTextFileStore().read(variable("XDG_CONFIG_HOME") + "/pcmanfm-qt/default/settings.conf");
    EXPECT_TRUE(desktop_ != "lxqt" ||
                ini::read(settings.value_or(""), "Desktop", "WallpaperMode") == "tile");
    ASSERT_TRUE(restartDesktop());
    restoreWallpaper(env_);
    EXPECT_TRUE(eventuallyShows(Style::Tile, 2, 30s));
}

TEST_F(Desktop, LxdeWithoutItsDesktopGetsTheRootWindow) {
    if (desktop_ != "lxde") GTEST_SKIP() << "LXDE only";
    ASSERT_TRUE(restartDesktop(true));
    ASSERT_EQ(change("bare.png", shell::WPSTYLE_CENTER, 3), shell::S_OK);
    EXPECT_TRUE(eventuallyShows(Style::Centre, 3));
    EXPECT_TRUE(restartDesktop());
}

}  // namespace korvo::platform
