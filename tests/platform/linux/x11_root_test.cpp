// Bare X11 under a private Xvfb: the root window's own pixels, its pixmap properties and the
// server-side lifetime of the pixmaps.
#include <X11/Xatom.h>
#include <gtest/gtest.h>

#include <fstream>

#include "helpers.h"
#include "platform/desktop_backend.h"
#include "platform/linux/root_window.h"
#include "platform/linux/wallpaper_state.h"
#include "x11_helpers.h"

namespace korvo::platform {
namespace {

using testing::grabScreen;
using testing::TempDir;

constexpr QRgb kRed = 0xffff0000, kGreen = 0xff00ff00, kBlue = 0xff0000ff, kYellow = 0xffffff00;

class BareX11 : public ::testing::Test {
  protected:
    // Stands for the session's other clients: an X server with none left resets itself and
    // drops every pixmap, kept ones too.
    static void SetUpTestSuite() { session_ = new X11Connection(testing::displayName()); }
    static void TearDownTestSuite() {
        delete session_;
        session_ = nullptr;
    }

    void SetUp() override {
        ASSERT_FALSE(testing::displayName().empty()) << "run inside scripts/with-xvfb";
        env_ = Environment::fromProcess();
        env_.values.erase("XDG_CURRENT_DESKTOP");
        env_.values["XDG_STATE_HOME"] = state_.path();
        picture_ = pictures_.file("été à la plage.png");
        testing::writePicture(picture_, 64, 48);
    }

    HRESULT change(const std::string& path, std::uint32_t style) {
        return testing::changeWallpaper(env_, path, style);
    }

    std::optional<Pixmap> rootProperty(const char* name) {
        X11Connection x(testing::displayName());
        return rootPixmapProperty(x, name);
    }

    bool pixmapExists(Pixmap pixmap) {
        X11Connection x(testing::displayName());
        Window root = 0;
        int px = 0, py = 0;
        unsigned width = 0, height = 0, border = 0, depth = 0;
        XGetGeometry(x.get(), pixmap, &root, &px, &py, &width, &height, &border, &depth);
        return !x.failed();
    }

    static inline X11Connection* session_ = nullptr;
    TempDir state_, pictures_;
    Environment env_;
    std::string picture_;
};

TEST_F(BareX11, TheRootWindowShowsEachStyle) {
    ASSERT_EQ(change(picture_, engine::WPSTYLE_CENTER), engine::S_OK);
    QImage screen = grabScreen();
    ASSERT_EQ(screen.size(), QSize(1280, 800));
    const int left = (1280 - 64) / 2, top = (800 - 48) / 2;
    EXPECT_EQ(screen.pixel(left, top), kRed);
    EXPECT_EQ(screen.pixel(left + 63, top), kGreen);
    EXPECT_EQ(screen.pixel(left, top + 47), kBlue);
    EXPECT_EQ(screen.pixel(left + 63, top + 47), kYellow);
    EXPECT_EQ(screen.pixel(left - 1, top), 0xff000000u);
    EXPECT_EQ(screen.pixel(0, 0), 0xff000000u);

    ASSERT_EQ(change(picture_, engine::WPSTYLE_TILE), engine::S_OK);
    screen = grabScreen();
    const QImage tile = testing::quadrants(64, 48);
    for (int y = 0; y < 800; y += 7) {
        for (int x = 0; x < 1280; x += 13) {
            ASSERT_EQ(screen.pixel(x, y), tile.pixel(x % 64, y % 48)) << x << "," << y;
        }
    }

    ASSERT_EQ(change(picture_, engine::WPSTYLE_STRETCH), engine::S_OK);
    screen = grabScreen();
    EXPECT_EQ(screen.pixel(300, 200), kRed);
    EXPECT_EQ(screen.pixel(980, 200), kGreen);
    EXPECT_EQ(screen.pixel(300, 600), kBlue);
    EXPECT_EQ(screen.pixel(980, 600), kYellow);
}

TEST_F(BareX11, PublishesThePixmapKeepsItAfterKorvoAndFreesTheOneItReplaces) {
    ASSERT_EQ(change(picture_, engine::WPSTYLE_TILE), engine::S_OK);
    const auto first = rootProperty("_XROOTPMAP_ID");
    ASSERT_TRUE(first);
    EXPECT_EQ(rootProperty("ESETROOT_PMAP_ID"), first);
    EXPECT_TRUE(pixmapExists(*first)) << "the pixmap outlives the connection that made it";

    ASSERT_EQ(change(picture_, engine::WPSTYLE_CENTER), engine::S_OK);
    const auto second = rootProperty("_XROOTPMAP_ID");
    ASSERT_TRUE(second);
    EXPECT_NE(*second, *first);
    EXPECT_TRUE(pixmapExists(*second));
    EXPECT_FALSE(pixmapExists(*first)) << "each change would otherwise leak a screenful";
}

TEST_F(BareX11, ARefusedOrUndecodablePictureLeavesTheFormerWallpaper) {
    ASSERT_EQ(change(picture_, engine::WPSTYLE_CENTER), engine::S_OK);
    const QImage before = grabScreen();
    const auto pixmap = rootProperty("_XROOTPMAP_ID");

    testing::writeFile(pictures_.file("notes.png"), "not a picture");
    // PNG's magic number, then garbage: it passes the sniffing and fails the decoding.
    testing::writeFile(pictures_.file("broken.png"), std::string("\x89PNG\r\n\x1a\n", 8) + "junk");
    for (const std::string& bad : {std::string("Null"), pictures_.file("missing.png"),
                                   pictures_.file("notes.png"), pictures_.file("broken.png")}) {
        EXPECT_FALSE(engine::succeeded(change(bad, engine::WPSTYLE_STRETCH))) << bad;
        EXPECT_EQ(grabScreen(), before) << bad;
        EXPECT_EQ(rootProperty("_XROOTPMAP_ID"), pixmap) << bad;
    }
    const auto kept = keptWallpaper(stateFolder(env_));
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->path, picture_);
}

TEST_F(BareX11, RestoresTheKeptWallpaperOnABareRootOnly) {
    ASSERT_EQ(change(picture_, engine::WPSTYLE_STRETCH), engine::S_OK);
    const QImage shown = grabScreen();
    {
        // As after a restart of the X server: no background, no properties.
        X11Connection x(testing::displayName());
        const auto pixmap = rootPixmapProperty(x, "_XROOTPMAP_ID");
        ASSERT_TRUE(pixmap);
        XKillClient(x.get(), *pixmap);
        XDeleteProperty(x.get(), x.root(), XInternAtom(x.get(), "_XROOTPMAP_ID", False));
        XDeleteProperty(x.get(), x.root(), XInternAtom(x.get(), "ESETROOT_PMAP_ID", False));
        XSetWindowBackground(x.get(), x.root(), 0x123456);
        XClearWindow(x.get(), x.root());
        ASSERT_FALSE(x.failed());
    }
    ASSERT_NE(grabScreen(), shown);
    restoreWallpaper(env_);
    EXPECT_EQ(grabScreen(), shown);
    EXPECT_TRUE(rootProperty("_XROOTPMAP_ID"));

    // Someone else's background is left alone.
    const std::string other = pictures_.file("other.png");
    testing::writePicture(other, 10, 10);
    ASSERT_EQ(applyRootWindow({other, Style::Tile}, testing::displayName()), engine::S_OK);
    const QImage theirs = grabScreen();
    restoreWallpaper(env_);
    EXPECT_EQ(grabScreen(), theirs);
}

}  // namespace
}  // namespace korvo::platform
