// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Bare X11 under a private Xvfb: the root window's own pixels, its pixmap properties and the
// server-side lifetime of the pixmaps.
#include <gtest/gtest.h>

#include "helpers.h"
#include "platform/linux/root_window.h"
#include "platform/linux/x11_display.h"

namespace korvo::platform {

using namespace testing;

TEST(ComposeBackground, PlacesThePictureOnEachMonitorInEachStyle) {
    const auto pixel = [](int width, int height, const std::vector<ScreenRect>& monitors,
                          Style style, int x, int y) {
        return composeBackground(toPixbuf(quadrants(width, height)).get(), 100, 80, monitors, style)
            .pixel(x, y);
    };
    const std::vector<ScreenRect> one, two{{0, 0, 40, 80}, {40, 0, 60, 80}},
        tiles{{0, 0, 25, 80}, {25, 0, 75, 80}};
    // 20 x 10 centred on the 100 x 80 screen covers (40, 35) to (59, 44). One monitor in each
    // style is met on the screen below.
    EXPECT_EQ(pixel(20, 10, one, Style::Centre, 39, 35), kBlack);
    EXPECT_EQ(pixel(20, 10, one, Style::Centre, 40, 35), kRed);
    EXPECT_EQ(pixel(20, 10, one, Style::Centre, 60, 44), kBlack);
    EXPECT_EQ(pixel(20, 10, two, Style::Centre, 10, 35), kRed);
    EXPECT_EQ(pixel(20, 10, two, Style::Centre, 60, 35), kRed);
    // Too large: cropped to the middle of the picture.
    EXPECT_EQ(pixel(200, 160, one, Style::Centre, 0, 0), kRed);
    EXPECT_EQ(pixel(200, 160, one, Style::Centre, 50, 40), kYellow);
    // Each monitor starts tiling from its own corner.
    EXPECT_EQ(pixel(20, 10, tiles, Style::Tile, 24, 5), kBlue);
    EXPECT_EQ(pixel(20, 10, tiles, Style::Tile, 30, 0), kRed);
    EXPECT_EQ(pixel(20, 10, tiles, Style::Tile, 44, 0), kGreen);
    EXPECT_EQ(composeBackground(nullptr, 10, 10, {}, Style::Stretch).pixel(5, 5), kBlack);
}

static bool pixmapExists(Pixmap pixmap) {
    X11Connection x(variable("DISPLAY"));
    Window root = 0;
    int at = 0;
    unsigned size = 0;
    XGetGeometry(x.get(), pixmap, &root, &at, &at, &size, &size, &size, &size);
    return !x.failed();
}

class BareX11 : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(variable("DISPLAY").empty())
            << "run inside scripts/lib/with-session, with-xvfb";
        env_.values["XDG_STATE_HOME"] = pictures_.str();
        writePicture(picture_, 64, 48);
    }

    TempFolder pictures_;
    Environment env_ = Environment::fromProcess();
    const std::string picture_ = pictures_.file("été à la plage.png");
};

TEST_F(BareX11, ShowsEachStyleInAPixmapThatOutlivesKorvoAndFreesTheOneItReplaces) {
    std::optional<Pixmap> former;
    for (const std::uint32_t style :
         {shell::WPSTYLE_CENTER, shell::WPSTYLE_TILE, shell::WPSTYLE_STRETCH}) {
        ASSERT_EQ(changeWallpaper("", picture_, style, env_), shell::S_OK);
        EXPECT_TRUE(shows(grabScreen(), static_cast<Style>(style))) << style;
        X11Connection x(variable("DISPLAY"));
        const auto pixmap = rootPixmapProperty(x, "_XROOTPMAP_ID");
        ASSERT_TRUE(pixmap && pixmapExists(*pixmap)) << "gone with the connection that made it";
        EXPECT_EQ(rootPixmapProperty(x, "ESETROOT_PMAP_ID"), pixmap);
        EXPECT_TRUE(!former || !pixmapExists(*former)) << "each change would leak a screenful";
        former = pixmap;
    }
}

TEST_F(BareX11, AnUndecodablePictureIsNeitherShownNorKeptAndOnlyABareRootIsRestored) {
    ASSERT_EQ(changeWallpaper("", picture_, shell::WPSTYLE_STRETCH, env_), shell::S_OK);
    const QImage shown = grabScreen();
    // PNG's magic number, then garbage: it passes the sniffing and fails the decoding.
    pictures_.write("broken.png", std::string("\x89PNG\r\n\x1a\n", 8) + "junk");
    EXPECT_FALSE(shell::succeeded(
        changeWallpaper("", pictures_.file("broken.png"), shell::WPSTYLE_CENTER, env_)));
    EXPECT_TRUE(grabScreen() == shown);
    {
        // As after a restart of the X server: no background, no properties.
        X11Connection x(variable("DISPLAY"));
        const auto pixmap = rootPixmapProperty(x, "_XROOTPMAP_ID");
        ASSERT_TRUE(pixmap);
        XKillClient(x.get(), *pixmap);
        for (const char* name : {"_XROOTPMAP_ID", "ESETROOT_PMAP_ID"})
            XDeleteProperty(x.get(), x.root(), XInternAtom(x.get(), name, False));
        XSetWindowBackground(x.get(), x.root(), 0x123456);
        XClearWindow(x.get(), x.root());
        ASSERT_FALSE(x.failed());
    }
    ASSERT_FALSE(grabScreen() == shown);
    restoreWallpaper(env_);
    EXPECT_TRUE(grabScreen() == shown);

    // Someone else's background is left alone.
    writePicture(pictures_.file("other.png"), 10, 10);
    ASSERT_EQ(applyRootWindow({pictures_.file("other.png"), Style::Tile}, variable("DISPLAY")),
              shell::S_OK);
    const QImage theirs = grabScreen();
    restoreWallpaper(env_);
    EXPECT_TRUE(grabScreen() == theirs);
}

}  // namespace korvo::platform
