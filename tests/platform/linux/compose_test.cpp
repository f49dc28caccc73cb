#include <gtest/gtest.h>

#include "helpers.h"
#include "platform/linux/root_window.h"

namespace korvo::platform {
namespace {

constexpr QRgb kRed = 0xffff0000, kGreen = 0xff00ff00, kBlue = 0xff0000ff, kYellow = 0xffffff00,
               kBlack = 0xff000000;

TEST(ComposeBackground, CentresOnEachMonitorAndCropsWhatIsTooLarge) {
    const QImage picture = testing::quadrants(20, 10);
    QImage out = composeBackground(picture, 100, 80, {}, Style::Centre);
    EXPECT_EQ(out.pixel(39, 35), kBlack);
    EXPECT_EQ(out.pixel(40, 35), kRed);
    EXPECT_EQ(out.pixel(59, 35), kGreen);
    EXPECT_EQ(out.pixel(40, 44), kBlue);
    EXPECT_EQ(out.pixel(59, 44), kYellow);
    EXPECT_EQ(out.pixel(60, 44), kBlack);

    out = composeBackground(picture, 100, 80, {{0, 0, 40, 80}, {40, 0, 60, 80}}, Style::Centre);
    EXPECT_EQ(out.pixel(10, 35), kRed) << "left monitor";
    EXPECT_EQ(out.pixel(29, 44), kYellow);
    EXPECT_EQ(out.pixel(60, 35), kRed) << "right monitor";
    EXPECT_EQ(out.pixel(50, 40), kBlack);

    out = composeBackground(testing::quadrants(200, 160), 100, 80, {}, Style::Centre);
    EXPECT_EQ(out.pixel(0, 0), kRed);
    EXPECT_EQ(out.pixel(99, 79), kYellow);
    EXPECT_EQ(out.pixel(49, 39), kRed);
    EXPECT_EQ(out.pixel(50, 40), kYellow);
}

TEST(ComposeBackground, TilesFromEachMonitorsCorner) {
    const QImage picture = testing::quadrants(20, 10);
    const QImage out = composeBackground(picture, 90, 35, {}, Style::Tile);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            ASSERT_EQ(out.pixel(x, y), picture.pixel(x % 20, y % 10)) << x << "," << y;
        }
    }
    const QImage two =
        composeBackground(picture, 50, 10, {{0, 0, 25, 10}, {25, 0, 25, 10}}, Style::Tile);
    EXPECT_EQ(two.pixel(24, 0), kRed) << "the left monitor's second tile, cut";
    EXPECT_EQ(two.pixel(25, 0), kRed) << "the right monitor starts a tile of its own";
}

TEST(ComposeBackground, StretchesToFillEachMonitor) {
    const QImage out = composeBackground(testing::quadrants(4, 2), 100, 80, {}, Style::Stretch);
    EXPECT_EQ(out.pixel(10, 10), kRed);
    EXPECT_EQ(out.pixel(90, 10), kGreen);
    EXPECT_EQ(out.pixel(10, 70), kBlue);
    EXPECT_EQ(out.pixel(90, 70), kYellow);
    EXPECT_EQ(composeBackground(QImage(), 10, 10, {}, Style::Stretch).pixel(5, 5), kBlack);
}

}  // namespace
}  // namespace korvo::platform
