// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The desktops that keep their wallpaper behind the session bus, against the real stores: dconf
// through GSettings (GNOME, MATE, Cinnamon schemas from their Debian packages) and xfconf. Runs
// inside scripts/lib/with-session --bus; a change is read back through a second, fresh bus session
// over the same configuration folder, as after logging in again.
#include <gtest/gtest.h>

#include "helpers.h"
#include "platform/linux/gsettings_desktops.h"
#include "platform/linux/plasma_desktop.h"
#include "platform/linux/xfce_desktop.h"

namespace korvo::platform {

using namespace testing;

// `gsettings get` in a new bus session: what a desktop started afresh would read.
static std::string stored(const std::string& schema, const std::string& key) {
    return runProcess({"dbus-run-session", "--", "gsettings", "get", schema, key}, 20s,
                      Output::Capture)
        .output;
}

constexpr const char* kGnome = "org.gnome.desktop.background";

class SessionBus : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(variable("DBUS_SESSION_BUS_ADDRESS").empty()) << "run in with-session --bus";
        writePicture(picture_);
    }

    TempFolder pictures_;
    const std::string picture_ = pictures_.file("My Pictures, Été à la plage 1.png");
};

TEST_F(SessionBus, GnomeKeysReachDconfAndOutliveTheSession) {
    const char* words[] = {"'centered'\n", "'wallpaper'\n", "'stretched'\n"};
    for (const std::uint32_t style : {1u, 2u, 0u}) {
        ASSERT_EQ(changeWallpaper("ubuntu:GNOME", picture_, style), shell::S_OK);
        EXPECT_EQ(stored(kGnome, "picture-options"), words[style]);
    }
    const std::string uri = "file://" + pictures_.str() +
                            "/My%20Pictures,%20%C3%89t%C3%A9%20%C3%A0%20la%20plage%201.png";
    EXPECT_EQ(stored(kGnome, "picture-uri"), "'" + uri + "'\n");
    EXPECT_EQ(stored(kGnome, "picture-uri-dark"), "'" + uri + "'\n");
}

TEST_F(SessionBus, MateKeepsAPlainPathWhichHasToBeUtf8) {
    ASSERT_EQ(changeWallpaper("MATE", picture_, shell::WPSTYLE_TILE), shell::S_OK);
    writePicture(pictures_.file("odd\xff.png"));
    EXPECT_FALSE(shell::succeeded(
        changeWallpaper("MATE", pictures_.file("odd\xff.png"), shell::WPSTYLE_CENTER)));
    EXPECT_EQ(stored("org.mate.background", "picture-filename"), "'" + picture_ + "'\n");
    EXPECT_EQ(stored("org.mate.background", "picture-options"), "'wallpaper'\n");
}

TEST_F(SessionBus, CinnamonStopsItsOwnSlideshow) {
    const std::string schema = "org.cinnamon.desktop.background";
    ASSERT_TRUE(runProcess({"gsettings", "set", schema + ".slideshow", "slideshow-enabled", "true"})
                    .succeeded());
    ASSERT_EQ(changeWallpaper("X-Cinnamon", picture_, shell::WPSTYLE_STRETCH), shell::S_OK);
    EXPECT_EQ(stored(schema + ".slideshow", "slideshow-enabled"), "false\n");
    EXPECT_EQ(stored(schema, "picture-options"), "'stretched'\n");
}

TEST_F(SessionBus, MissingSchemasKeysValuesAndBusesAreCleanFailures) {
    const Environment env = Environment::fromProcess();
    const SettingsWrite refused[] = {{"org.korvo.no-such-schema", "picture-uri", std::string("x")},
                                     {kGnome, "no-such-key", std::string("x")},
                                     {kGnome, "picture-options", std::string("sideways")},
                                     {kGnome, "picture-options", true}};
    for (const auto& write : refused)
        EXPECT_FALSE(shell::succeeded(writeSettings({write}, env))) << write.key;
    // Optional keys that are not installed are skipped, not failed.
    EXPECT_EQ(writeSettings({{"org.korvo.no-such-schema", "k", std::string("x"), true}}, env),
              shell::S_OK);
    const Environment noBus{{{"HOME", "/nonexistent"}}};
    for (const auto apply : {&applyGnome, &applyXfce, &applyPlasma})
        EXPECT_EQ(apply({picture_, Style::Centre}, noBus), kNotSupported);
}

TEST_F(SessionBus, XfconfGetsEveryBackdropOrNewOnes) {
    // No backdrop yet and no X display to name the monitors: xfdesktop's old numbering.
    Environment env = Environment::fromProcess();
    env.values.erase("DISPLAY");
    const std::string first = "/backdrop/screen0/monitor0/workspace0";
    ASSERT_EQ(applyXfce({picture_, Style::Tile}, env), shell::S_OK);
    EXPECT_EQ(xfconf({"-p", first + "/last-image"}), picture_ + "\n");

    const std::string other = "/backdrop/screen0/monitorHDMI-1/workspace3";
    xfconf({"-p", other + "/last-image", "-n", "-t", "string", "-s", "/old.png"});
    const std::string odd = pictures_.file("it's $(x)\nnew.png");
    writePicture(odd);
    ASSERT_EQ(applyXfce({odd, Style::Stretch}, env), shell::S_OK);
    for (const std::string& backdrop : {first, other})
        EXPECT_EQ(xfconf({"-p", backdrop + "/last-image"}), odd + "\n") << backdrop;
}

}  // namespace korvo::platform
