// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "engine/form6.h"
#include "engine/fsuite.h"
#include "support/fixture.h"
#include "ui/main/form1.h"
#include "ui/options/foption.h"

namespace korvo {
namespace {

using Paths = std::vector<std::string>;

struct Loop {
    testing::TestProgram t;
    std::string pics;

    // Starts Korvo on a folder of a, b, c with the given mode, delay and time.
    void startWith(const std::string& mode, const std::string& delay,
                   const std::string& time = "Null", Paths files = {"a", "b", "c"}) {
        pics = t.pictureFolder(files);
        t.writeIni("[OPTION]\nFolder=" + pics + "\nWallpaper=Null\nAffichage=" + mode +
                   "\nAspect=1\nTime=" + time + "\nDelay=" + delay + "\n[Start]\nFirst=0\n");
        t.start();
    }
    Paths applied() const { return t.appliedPaths(); }
    Paths pic(std::initializer_list<const char*> names) const {
        Paths paths;
        for (const char* name : names) paths.push_back(pics + name);
        return paths;
    }
    void seconds(std::int64_t n) { t.scheduler.advanceSeconds(n); }
    Program& app() { return t.app(); }
    Fsuite& suite() { return app().form<Fsuite>(); }
};
struct ChangeLoop : ::testing::Test, Loop {};

TEST(ChangeCount, EachModeAndDelayChangesAtItsTicks) {
    struct Run {
        const char *mode, *delay, *time;
        std::vector<std::pair<std::int64_t, std::size_t>> changesAfter;  // seconds, changes
    };
    const std::vector<Run> runs = {
        // Loading counts as the first second: the fourth tick, then every fifth.
        {"0", "5", "Null", {{3, 0}, {4, 1}, {8, 1}, {9, 2}}},
        {"1", "60", "Null", {{58, 0}, {59, 1}, {7 * 24 * 3600, 10080}}},
        {"1", "1", "Null", {{0, 1}, {3, 4}}},
        {"2", "5", "Null", {{3600, 0}}},
        {"1", "", "Null", {{600, 0}}},
        {"0", "0", "09:00:10", {{9, 0}, {10, 1}, {24 * 3600 + 10, 2}}}};
    for (const auto& run : runs) {
        Loop loop;
        loop.startWith(run.mode, run.delay, run.time);
        std::int64_t now = 0;
        for (const auto& [seconds, changes] : run.changesAfter) {
            loop.seconds(seconds - now);
            now = seconds;
            EXPECT_EQ(loop.applied().size(), changes)
                << "mode " << run.mode << ", delay " << run.delay << ", at " << seconds << " s";
        }
        EXPECT_EQ(loop.app().ReadSetting("OPTION", "Delay"), run.delay) << "no mode rewrites it";
    }
}

TEST_F(ChangeLoop, TheCountingTimerCountsToItsTargetArmedByTheDelayText) {
    startWith("2", "0");
    suite().Tpro("3");
    for (int i = 0; i < 3; ++i) suite().T01_Timer();
    EXPECT_EQ(applied(), pic({"a"}));
    EXPECT_FALSE(suite().T01.enabled()) << "it stops itself after the change";

    // The stored delay is compared with "1" as text, character by character.
    for (const auto& [delay, before, after] : std::vector<std::tuple<const char*, bool, bool>>{
             {"10", false, true}, {"1", false, false}, {"", true, false}}) {
        app().ClockDelay = app().ArmDelay = delay;
        suite().T01.setEnabled(before);
        app().ArmCounter();
        EXPECT_EQ(suite().T01.enabled(), after) << delay;
    }
}

TEST_F(ChangeLoop, AStoredCustomDelayShowsInHoursAndIsStoredBack) {
    startWith("0", "60");  // no mode procedure: moving the slider alone sets the delay
    auto& options = app().form<Foption>();
    app().WriteSetting("OPTION", "Delay", std::string("7200"));
    options.initio();
    EXPECT_EQ(
        std::to_string(options.Slider1.value()) + " " + options.Text1.text() + " " + app().OptDelay,
        "-10 2 7200");
    options.Option4.select();
    EXPECT_FALSE(app().isLoaded<Form6>()) << "no daily time: the daily window is never touched";
    options.Text1.setText("x");
    options.Slider1.setValue(-9);
    options.Slider1.setValue(-10);
    EXPECT_EQ(app().OptDelay, "3600") << "a box that is no number keeps the delay";
    app().ClockDelay = "abc";
    options.DelayIni();
    EXPECT_EQ(options.Slider1.value(), -10) << "an unreadable delay leaves the slider";
}

TEST_F(ChangeLoop, TheRotationWrapsGoesOnFromTheUsersPickAndSkipsAVanishedFile) {
    t.desktop.refuseMissingFiles = true;
    startWith("2", "0");
    for (int i = 0; i < 4; ++i) suite().G();
    app().form<Form1>().Fi.setListIndex(2);  // the user picks "c"
    suite().G();
    std::filesystem::remove(toPath(pics + "b"));
    for (int i = 0; i < 2; ++i) suite().G();
    EXPECT_EQ(applied(), pic({"a", "b", "c", "a", "a", "c"})) << "b is refused, c comes next";
    EXPECT_EQ(app().SelectedPicture, pics + "c");
}

TEST_F(ChangeLoop, AnEmptyFolderKeepsTheCurrentPicture) {
    t.writeIni("[OPTION]\nFolder=" + t.pictureFolder({}) + "\nWallpaper=/kept.png\nAffichage=2\n");
    t.start();
    suite().G();
    EXPECT_EQ(applied(), Paths{"/kept.png"});
}

TEST_F(ChangeLoop, TheOptionsButtonRearmsTheCount) {
    startWith("1", "10");
    seconds(7);
    app().runtime().dispatch([&] { app().form<Form1>().Coption.click(); });
    EXPECT_TRUE(app().form<Foption>().visible());
    seconds(8);
    EXPECT_TRUE(applied().empty()) << "the count started again";
    seconds(1);
    EXPECT_EQ(applied().size(), 1u);
}

TEST_F(ChangeLoop, AFolderStoredWithoutItsSeparatorGetsOneBeforeTheFileName) {
    startWith("2", "0", "Null", {"z.png"});
    const std::string noSeparator = pics.substr(0, pics.size() - 1);  // as a hand edit leaves it
    app().WriteSetting("OPTION", "Folder", noSeparator);
    app().form<Foption>().initio();
    EXPECT_EQ(app().form<Form1>().Lchemin.caption(), noSeparator);
    app().form<Form1>().Fi.setListIndex(0);
    EXPECT_EQ(app().CurrentPicture, pics + "z.png");
}

TEST_F(ChangeLoop, TheListShowsVisibleFilesInNameOrderWithoutCase) {
    startWith("2", "0", "Null", {"b.jpg", "A.png", ".hidden.png", "c.GIF", "a2.png"});
    std::filesystem::create_directories(toPath(pics + "folder"));
    // Links to files count as files; Windows may not let a test make one.
    std::error_code noLinks;
    std::filesystem::create_symlink(toPath(pics + "b.jpg"), toPath(pics + "link.jpg"), noLinks);
    auto& main = app().form<Form1>();
    main.PointListAtFolder();
    Paths expected = {"A.png", "a2.png", "b.jpg", "c.GIF"};
    if (!noLinks) expected.push_back("link.jpg");
    EXPECT_EQ(main.Fi.items(), expected);
}

TEST_F(ChangeLoop, AFolderThatCannotBeListedIsTold) {
    startWith("2", "0");
    app().form<Form1>().Lchemin.setCaption(pics + "gone");
    app().form<Form1>().PointListAtFolder();
    ASSERT_EQ(t.diagnostics.reports.size(), 1u);
    EXPECT_EQ(t.diagnostics.reports[0].rfind("folder not listed|" + pics + "gone|", 0), 0u);
}

TEST_F(ChangeLoop, ThePreviewKeepsItsPictureWhenAFileIsNoPicture) {
    startWith("2", "0");
    t.window.pictures[pics + "a"] = {640, 400};
    auto& main = app().form<Form1>();
    for (int i = 0; i < 2; ++i) main.Fi.setListIndex(i);
    ASSERT_TRUE(main.Im1.picture());
    EXPECT_EQ(main.Im1.picture()->source, pics + "a") << "b is not a picture";
    EXPECT_EQ(app().CurrentPicture, pics + "b") << "but it is the picture to apply";
}

}  // namespace
}  // namespace korvo
