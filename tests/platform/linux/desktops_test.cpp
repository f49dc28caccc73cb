// KDE Plasma, LXQt, LXDE and sway end to end: one of them per run, started by
// scripts/with-desktop, Korvo's change made as the core makes it, and the screen read back (the
// X root window's pixels, or grim on sway).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "base/ini_text.h"
#include "helpers.h"
#include "platform/disk_text_file_store.h"

namespace korvo::platform {
namespace {

using namespace std::chrono_literals;
using namespace testing;

std::string desktop() {
    const char* name = std::getenv("KORVO_DESKTOP");
    return name ? name : "";
}

QImage screen() {
    if (desktop() != "sway") return grabScreen();
    QImage shot;
    shot.loadFromData(QByteArray::fromStdString(
        runProcess({"grim", "-t", "ppm", "-"}, 10s, Output::Capture).output));
    return shot.convertToFormat(QImage::Format_RGB32);
}

// Ends the desktop program and, unless `stopOnly`, starts it again and waits until it is ready.
bool restartDesktop(bool stopOnly = false) {
    return runProcess({std::getenv("KORVO_DESKTOP_SCRIPT"), stopOnly ? "--stop" : "--restart"}, 60s)
        .succeeded();
}

class Desktop : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(desktop().empty()) << "run inside scripts/with-desktop";
        // sway's own process runs as another user and reads the pictures itself.
        ::chmod(pictures_.path.c_str(), 0755);
    }

    HRESULT change(const std::string& name, std::uint32_t style, int turn = 0) {
        const std::string path = pictures_.file(name);
        writePicture(path, 64, 48, turn);
        return changeWallpaper(std::getenv("XDG_CURRENT_DESKTOP"), path, style, env_);
    }

    TempDir pictures_;
    Environment env_ = Environment::fromProcess();
};

TEST_F(Desktop, ShowsEachPictureInTurnWhateverItsName) {
    // The desktops run in this test's folder: a name run as a command would leave the marker.
    const std::string marker = "korvo-ran";
    std::filesystem::remove(marker);
    const std::string names[] = {"it's \"quoted\".png", "$(touch korvo-ran) `touch korvo-ran`.png",
                                 "My Pictures, \xc3\xa9t\xc3\xa9 \xc3\xa0 midi.png",
                                 "not utf-8 \xff\xfe.png", "plain.png"};
    for (int turn = 0; turn < 5; ++turn) {
        ASSERT_EQ(change(names[turn], shell::WPSTYLE_STRETCH, turn), shell::S_OK) << names[turn];
        EXPECT_TRUE(eventuallyShows(screen, Style::Stretch, turn % 4)) << names[turn];
    }
    EXPECT_FALSE(std::filesystem::exists(marker));
}

TEST_F(Desktop, ShowsEachStyle) {
    for (const auto& [option, style] : {std::pair{shell::WPSTYLE_TILE, Style::Tile},
                                        std::pair{shell::WPSTYLE_CENTER, Style::Centre},
                                        std::pair{shell::WPSTYLE_STRETCH, Style::Stretch}}) {
        ASSERT_EQ(change("style.png", option, 1), shell::S_OK);
        EXPECT_TRUE(eventuallyShows(screen, style, 1)) << static_cast<int>(style);
    }
}

// As after logging in again: the desktop program starts afresh, and so does Korvo, which
// restores what the desktop does not keep itself.
TEST_F(Desktop, KeepsTheWallpaperAcrossARestart) {
    ASSERT_EQ(change("kept \xff.png", shell::WPSTYLE_TILE, 2), shell::S_OK);
    ASSERT_TRUE(eventuallyShows(screen, Style::Tile, 2));
    if (desktop() == "lxqt") {
        // pcmanfm-qt's own settings get the mode it does not keep, for its next start.
        const auto settings = DiskTextFileStore().read(std::string(std::getenv("XDG_CONFIG_HOME")) +
                                                       "/pcmanfm-qt/default/settings.conf");
        EXPECT_EQ(ini::read(settings.value_or(""), "Desktop", "WallpaperMode"), "tile");
    }
    ASSERT_TRUE(restartDesktop());
    restoreWallpaper(env_);
    EXPECT_TRUE(eventuallyShows(screen, Style::Tile, 2, 30s));
}

TEST_F(Desktop, LxdeWithoutItsDesktopGetsTheRootWindow) {
    if (desktop() != "lxde") GTEST_SKIP() << "LXDE only";
    ASSERT_TRUE(restartDesktop(true));
    ASSERT_EQ(change("bare.png", shell::WPSTYLE_CENTER, 3), shell::S_OK);
    EXPECT_TRUE(eventuallyShows(screen, Style::Centre, 3));
    EXPECT_TRUE(restartDesktop());
}

}  // namespace
}  // namespace korvo::platform
