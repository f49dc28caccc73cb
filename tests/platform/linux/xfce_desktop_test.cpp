// XFCE end to end: Korvo writes through xfconf, the real xfdesktop draws under Xvfb with a
// window manager, and the screen's pixels are compared with the picture.
#include <gtest/gtest.h>

#include "helpers.h"
#include "platform/desktop_backend.h"
#include "platform/linux/process_runner.h"
#include "x11_helpers.h"

namespace korvo::platform {
namespace {

using namespace std::chrono_literals;
using testing::Background;
using testing::eventually;
using testing::grabScreen;
using testing::TempDir;

constexpr QRgb kRed = 0xffff0000, kGreen = 0xff00ff00, kBlue = 0xff0000ff, kYellow = 0xffffff00;
constexpr int kWidth = 1280, kHeight = 800, kPicWidth = 64, kPicHeight = 48;

bool xfconfSet(const std::string& property, const char* type, const std::string& value) {
    return runProcess({"xfconf-query", "-c", "xfce4-desktop", "-p", property, "-n", "-t", type,
                       "-s", value},
                      10s)
        .succeeded();
}

std::string xfconfGet(const std::string& property) {
    return runProcess({"xfconf-query", "-c", "xfce4-desktop", "-p", property}, 10s, Output::Capture)
        .output;
}

// Samples well inside each quadrant, so scaling filters at the edges do not count.
bool showsCentred(const QImage& s) {
    const int left = (kWidth - kPicWidth) / 2, top = (kHeight - kPicHeight) / 2;
    return s.pixel(left + 8, top + 8) == kRed && s.pixel(left + 56, top + 8) == kGreen &&
           s.pixel(left + 8, top + 40) == kBlue && s.pixel(left + 56, top + 40) == kYellow &&
           s.pixel(left - 40, top + 8) != kRed;
}

bool showsTiled(const QImage& s) {
    for (int y = 0; y + kPicHeight <= kHeight; y += kPicHeight * 3) {
        for (int x = 0; x + kPicWidth <= kWidth; x += kPicWidth * 4) {
            if (s.pixel(x + 8, y + 8) != kRed || s.pixel(x + 56, y + 40) != kYellow) return false;
        }
    }
    return true;
}

bool showsStretched(const QImage& s) {
    return s.pixel(40, 40) == kRed && s.pixel(kWidth - 40, 40) == kGreen &&
           s.pixel(40, kHeight - 40) == kBlue && s.pixel(kWidth - 40, kHeight - 40) == kYellow;
}

class XfceDesktop : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(testing::displayName().empty()) << "run inside scripts/with-xvfb --wm";
        // Desktop icons would cover part of the picture.
        ASSERT_TRUE(xfconfSet("/desktop-icons/style", "int", "0"));
        std::filesystem::create_directory(pictures_.file("Fonds d'écran"));
        picture_ = pictures_.file("Fonds d'écran/plage à midi.png");
        testing::writePicture(picture_, kPicWidth, kPicHeight);
    }

    HRESULT change(std::uint32_t style) {
        Environment env = Environment::fromProcess();
        env.values["XDG_CURRENT_DESKTOP"] = "XFCE";
        return testing::changeWallpaper(env, picture_, style);
    }

    TempDir pictures_;
    std::string picture_;
};

TEST_F(XfceDesktop, XfdesktopShowsEachStyleAndKeepsItAcrossARestart) {
    // Before xfdesktop ever ran the channel has no backdrop: Korvo names the monitors itself
    // (Xvfb's only output is "screen") for every workspace the window manager has.
    ASSERT_EQ(change(engine::WPSTYLE_CENTER), engine::S_OK);
    EXPECT_EQ(xfconfGet("/backdrop/screen0/monitorscreen/workspace0/last-image"), picture_ + "\n");
    EXPECT_EQ(xfconfGet("/backdrop/screen0/monitorscreen/workspace0/image-style"), "1\n");

    auto desktop = std::make_unique<Background>(std::vector<std::string>{"xfdesktop"});
    ASSERT_TRUE(desktop->running());
    EXPECT_TRUE(eventually([] { return showsCentred(grabScreen()); }, 30s)) << "centred";

    ASSERT_EQ(change(engine::WPSTYLE_TILE), engine::S_OK);
    EXPECT_TRUE(eventually([] { return showsTiled(grabScreen()); })) << "tiled";

    ASSERT_EQ(change(engine::WPSTYLE_STRETCH), engine::S_OK);
    EXPECT_TRUE(eventually([] { return showsStretched(grabScreen()); })) << "stretched";

    // A new xfdesktop, as after logging in again, reads the stored choice.
    desktop.reset();
    desktop = std::make_unique<Background>(std::vector<std::string>{"xfdesktop"});
    EXPECT_TRUE(eventually([] { return showsStretched(grabScreen()); }, 30s)) << "after restart";
}

}  // namespace
}  // namespace korvo::platform
