// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "engine/form2.h"
#include "support/fixture.h"

namespace korvo {
namespace {

using Calls = std::vector<std::string>;

struct Wallpaper : ::testing::Test {
    testing::TestProgram t;
    Form2& form2() { return t.app().form<Form2>(); }
};

TEST_F(Wallpaper, TheStyleGoesFirstThenThePictureThenTheApply) {
    t.app().CurrentAspect = "2";
    t.app().CurrentPicture = "/pics/a b.png";
    form2().Change();
    EXPECT_EQ(t.desktop.calls, (Calls{"create", "GetDesktopItemOptions size=12",
                                      "SetWallpaperOptions size=8 style=2",
                                      "SetWallpaper /pics/a b.png", "ApplyChanges 7"}));
}

TEST_F(Wallpaper, TheActiveDesktopIsSwitchedOnOnlyWhenItIsOff) {
    t.desktop.activeDesktop = false;
    for (int twice = 0; twice < 2; ++twice) form2().Change();
    form2().SetWallpaper("/p.png", 0, false);
    t.desktop.activeDesktop = false;
    form2().SetWallpaper("/p.png", 0, false);
    EXPECT_EQ(std::ranges::count(t.desktop.calls, "SetDesktopItemOptions active=1"), 1)
        << "written the first time only, and never without ForceEnable";
}

TEST_F(Wallpaper, TheFirstFailingStepStopsTheRestAndReachesTheCaller) {
    const Calls steps = {"GetDesktopItemOptions", "SetDesktopItemOptions", "SetWallpaperOptions",
                         "SetWallpaper", "ApplyChanges"};
    t.app().CurrentPicture = "/pics/a.png";
    for (std::size_t step = 0; step < steps.size(); ++step) {
        t.desktop.calls.clear();
        t.desktop.activeDesktop = false;
        t.desktop.failAt = steps[step];
        EXPECT_THROW(form2().Change(), forms::Error) << steps[step];
        EXPECT_EQ(t.desktop.calls.size(), step + 2) << "create, then up to " << steps[step];
    }
    EXPECT_TRUE(t.desktop.applied.empty());
    t.desktop.failAt.clear();
    t.desktop.creatable = false;
    EXPECT_THROW(form2().Change(), forms::Error) << "no desktop object at all";
    ASSERT_EQ(t.diagnostics.reports.size(), steps.size() + 1) << "each failure is told";
    EXPECT_EQ(t.diagnostics.reports[3],
              "wallpaper not changed|/pics/a.png|the desktop refused SetWallpaper (0x80004005)");
}

TEST_F(Wallpaper, NullAndUnreadableStylesAreHandedOverAsTheyAre) {
    t.app().CurrentPicture = "Null";
    for (const char* style : {"", "stretch"}) {
        t.app().CurrentAspect = style;
        form2().Change();
    }
    EXPECT_EQ(t.desktop.applied,
              (std::vector<fake::RecordingDesktop::Applied>{{"Null", 0}, {"Null", 0}}))
        << "\"Null\" goes to the desktop, which decides; a style that is no number is centred";
}

}  // namespace
}  // namespace korvo
