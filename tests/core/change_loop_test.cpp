#include <gtest/gtest.h>

#include <filesystem>

#include "engine/form2.h"
#include "engine/form6.h"
#include "engine/fsuite.h"
#include "engine/time_of_day.h"
#include "support/fixture.h"
#include "ui/main/form1.h"
#include "ui/options/foption.h"

namespace korvo {
namespace {

using Paths = std::vector<std::string>;

struct ChangeLoop : ::testing::Test {
    testing::TestProgram t;
    std::string pics;

    // Starts Korvo on a folder of a, b, c with the given mode, delay and time.
    void startWith(const std::string& mode, const std::string& delay,
                   const std::string& time = "Null", Paths files = {"a", "b", "c"}) {
        pics = t.pictureFolder(files);
        t.writeIni("[OPTION]\nFolder=" + pics + "\nWallpaper=Null\nLang=EN\nAffichage=" + mode +
                   "\nAspect=1\nTime=" + time + "\nDelay=" + delay + "\n[Start]\nWin=0\nFirst=0\n");
        t.start();
    }
    Paths applied() const { return t.appliedPaths(); }
    std::string pic(const std::string& name) const { return pics + name; }
    void seconds(std::int64_t n) { t.scheduler.advanceSeconds(n); }
    Program& app() { return t.app(); }
};

TEST_F(ChangeLoop, ModeZeroCountsLoadingAsTheFirstSecond) {
    startWith("0", "5");
    seconds(3);
    EXPECT_TRUE(applied().empty());
    seconds(1);
    EXPECT_EQ(applied(), Paths{pic("a")}) << "the fourth tick after loading";
    seconds(4);
    EXPECT_EQ(applied().size(), 1u);
    seconds(1);
    EXPECT_EQ(applied(), (Paths{pic("a"), pic("b")})) << "then every fifth";
    EXPECT_EQ(t.desktop.applied.back().style, 1u) << "with the stored style";
}

TEST_F(ChangeLoop, AutomaticModeChangesOncePerDelay) {
    startWith("1", "60");
    seconds(58);
    EXPECT_TRUE(applied().empty());
    seconds(1);
    EXPECT_EQ(applied().size(), 1u);
    seconds(59);
    EXPECT_EQ(applied().size(), 1u);
    seconds(1);
    EXPECT_EQ(applied(), (Paths{pic("a"), pic("b")}));
    EXPECT_EQ(app().form<Fsuite>().T01.interval(), 0) << "the counting timer never counts";
    EXPECT_EQ(app().OptChangeMode, "1");
    EXPECT_EQ(app().OptDelay, "60");
}

TEST_F(ChangeLoop, ASimulatedWeekAtOneMinuteGivesOneChangePerMinute) {
    startWith("1", "60");
    seconds(7 * 24 * 3600);
    EXPECT_EQ(applied().size(), 10080u);
    EXPECT_EQ(applied().back(), pic("c")) << "10 080 is a multiple of three: the rotation wraps";
}

TEST_F(ChangeLoop, TheCountingTimerProceduresCountToTheirTargetAndRotate) {
    startWith("2", "0");
    auto& suite = app().form<Fsuite>();
    suite.Tpro("3");
    EXPECT_TRUE(suite.T01.enabled());
    EXPECT_EQ(app().ElapsedSeconds, 0);
    suite.T01_Timer();
    suite.T01_Timer();
    EXPECT_TRUE(applied().empty());
    suite.T01_Timer();
    EXPECT_EQ(applied(), Paths{pic("a")}) << "bon at the target";
    EXPECT_FALSE(suite.T01.enabled()) << "and the timer stops itself";
    EXPECT_EQ(app().ElapsedSeconds, 0);

    // ArmCounter compares the delay text with "1", character by character.
    app().ClockDelay = app().ArmDelay = "10";
    app().ArmCounter();
    EXPECT_TRUE(suite.T01.enabled());
    EXPECT_EQ(app().CounterInterval, "10");
    EXPECT_EQ(app().CounterTarget, "10");
    app().ArmDelay = "1";
    suite.T01.setEnabled(false);
    app().ArmCounter();
    EXPECT_FALSE(suite.T01.enabled()) << "\"1\" leaves the timer as it is";
    app().ArmDelay = "";
    suite.T01.setEnabled(true);
    app().ArmCounter();
    EXPECT_FALSE(suite.T01.enabled()) << "the empty text sorts before \"1\"";
    app().SetCounterTimer(std::nullopt);
    EXPECT_FALSE(suite.T01.enabled());
}

TEST_F(ChangeLoop, ManualModeAndNoDelayNeverChange) {
    startWith("2", "5");
    seconds(3600);
    EXPECT_TRUE(applied().empty());
    EXPECT_EQ(app().ReadSetting("OPTION", "Delay"), "5") << "the stored delay is left alone";
    EXPECT_EQ(app().ClockDelay, "0");
    EXPECT_FALSE(app().form<Foption>().Frame1.enabled());
    EXPECT_FALSE(t.scheduler.isArmed(app().form<Foption>().TimerSt));

    for (const std::string delay : {"0", "", "soon"}) {
        testing::TestProgram other;
        other.writeIni("[OPTION]\nAffichage=1\nDelay=" + delay + "\n[Start]\nFirst=0\n");
        other.start();
        other.scheduler.advanceSeconds(600);
        EXPECT_TRUE(other.desktop.applied.empty()) << "Delay=" << delay;
    }
}

TEST_F(ChangeLoop, ADelayOfOneChangesEverySecondFromTheStart) {
    startWith("1", "1");
    EXPECT_TRUE(app().form<Fsuite>().T01.enabled()) << "\"1\" leaves the counting timer as it is";
    EXPECT_EQ(applied().size(), 1u) << "loading counts as the first second";
    seconds(3);
    EXPECT_EQ(applied(), (Paths{pic("a"), pic("b"), pic("c"), pic("a")}));
}

TEST_F(ChangeLoop, NoDailyTimeLeavesTheDailyWindowUntouched) {
    startWith("1", "60");
    EXPECT_FALSE(app().isLoaded<Form6>());
    testing::TestProgram manual;
    manual.writeIni("[OPTION]\nAffichage=2\nTime=Null\n[Start]\nFirst=0\n");
    manual.start();
    ASSERT_TRUE(manual.app().isLoaded<Form6>()) << "manual mode loads it only to stop it";
    EXPECT_FALSE(manual.app().form<Form6>().T1000.enabled());
}

TEST_F(ChangeLoop, TheDailyChangeHappensOnceADayAtTheStoredTime) {
    startWith("0", "0", "09:00:10");
    seconds(9);
    EXPECT_TRUE(applied().empty());
    seconds(1);
    EXPECT_EQ(applied().size(), 1u) << "at the exact second";
    seconds(120);
    EXPECT_EQ(applied().size(), 1u) << "never twice the same day";
    seconds(24 * 3600);
    EXPECT_EQ(applied().size(), 2u) << "and again the next day";
}

TEST_F(ChangeLoop, ADailyTickSkippedUnderLoadStillChangesWithinTheMinute) {
    startWith("0", "0", "9:00:10 AM");
    seconds(9);
    t.skew = 2;  // the tick of 09:00:10 never comes: the next one reads 09:00:12
    seconds(1);
    EXPECT_EQ(applied().size(), 1u);

    testing::TestProgram late;
    late.writeIni("[OPTION]\nAffichage=0\nDelay=0\nTime=09:00:10\n[Start]\nFirst=0\n");
    late.skew = 70;  // started well after the time: that day's change is gone
    late.start();
    late.scheduler.advanceSeconds(600);
    EXPECT_TRUE(late.desktop.applied.empty());
}

TEST(TimeOfDay, ReadsTheWaysATimeIsWritten) {
    using engine::parseTimeOfDay;
    EXPECT_EQ(parseTimeOfDay("14:30:00"), 52200);
    EXPECT_EQ(parseTimeOfDay("9:05:07"), 32707);
    EXPECT_EQ(parseTimeOfDay("2:30:00 PM"), 52200);
    EXPECT_EQ(parseTimeOfDay("12:00:00 AM"), 0);
    EXPECT_EQ(parseTimeOfDay("12:00:00 pm"), 43200);
    for (const std::string bad : {"Null", "", "14:30", "24:00:00", "13:00:00 PM", "1:2:3",
                                  "14:30:00 tomorrow", "aa:bb:cc", "14:60:00"})
        EXPECT_EQ(parseTimeOfDay(bad), std::nullopt) << bad;
}

TEST_F(ChangeLoop, DelayIniSelectsTheSliderByNumber) {
    startWith("2", "0");
    auto& options = app().form<Foption>();
    const std::vector<std::tuple<std::string, int, std::string>> cases = {
        {"3600", -9, "0"},      {"1", 0, "0"},          {"7200", -10, "2"},
        {"120", -10, "0.0333"}, {"600", -10, "0.1667"}, {"5400", -10, "1.5"}};
    for (const auto& [stored, position, box] : cases) {
        app().ClockDelay = stored;
        options.Text1.setText("0");
        options.DelayIni();
        EXPECT_EQ(options.Slider1.value(), position) << stored;
        EXPECT_EQ(options.Text1.text(), box) << stored;
        options.VoirSlider();
        EXPECT_EQ(app().OptDelay, stored) << "what the next OK stores is what was stored";
    }
    options.Slider1.setValue(-4);
    for (const std::string unreadable : {"0", "abc", "", "2.5"}) {
        app().ClockDelay = unreadable;
        options.DelayIni();
        EXPECT_EQ(options.Slider1.value(), -4) << unreadable;
    }
}

TEST_F(ChangeLoop, VoirSliderStoresEveryPositionInSeconds) {
    startWith("2", "0");
    auto& options = app().form<Foption>();
    const Paths expected = {"1", "5", "10", "15", "30", "60", "300", "900", "1800", "3600"};
    for (int i = 0; i <= 9; ++i) {
        options.Slider1.setValue(-i);
        EXPECT_EQ(app().OptDelay, expected[static_cast<std::size_t>(i)]) << -i;
    }
    options.Text1.setText("1.5");
    options.Slider1.setValue(-10);
    EXPECT_EQ(app().OptDelay, "5400") << "the custom box is in hours";
    for (const std::string bad : {"abc", "-2", "0", ""}) {
        options.Text1.setText(bad);
        options.VoirSlider();
        EXPECT_EQ(app().OptDelay, "5400") << bad << " keeps the delay";
    }
}

TEST_F(ChangeLoop, TheRotationWalksTheListAndWraps) {
    startWith("2", "0");
    auto& suite = app().form<Fsuite>();
    for (int i = 0; i < 5; ++i) suite.G();
    EXPECT_EQ(applied(), (Paths{pic("a"), pic("b"), pic("c"), pic("a"), pic("b")}));

    app().form<Form1>().Fi.setListIndex(0);  // the user picks "a"
    suite.G();
    EXPECT_EQ(applied().back(), pic("b"));
    EXPECT_EQ(app().SelectedPicture, pic("b"));
}

TEST_F(ChangeLoop, OneFileIsAppliedAgainAndAnEmptyFolderKeepsTheCurrentPicture) {
    startWith("2", "0", "Null", {"only.png"});
    app().form<Fsuite>().G();
    app().form<Fsuite>().G();
    EXPECT_EQ(applied(), (Paths{pic("only.png"), pic("only.png")}));

    testing::TestProgram empty;
    const std::string folder = empty.pictureFolder({});
    empty.writeIni("[OPTION]\nFolder=" + folder + "\nWallpaper=/kept.png\nAffichage=2\n");
    empty.start();
    empty.app().form<Fsuite>().G();
    EXPECT_EQ(empty.appliedPaths(), Paths{"/kept.png"});
}

TEST_F(ChangeLoop, AVanishedFileIsRefusedAndTheNextChangeGoesOn) {
    t.desktop.refuseMissingFiles = true;
    startWith("2", "0");
    std::filesystem::remove(toPath(pic("b")));
    auto& suite = app().form<Fsuite>();
    suite.G();
    suite.G();
    suite.G();
    EXPECT_EQ(applied(), (Paths{pic("a"), pic("c")}));
}

TEST_F(ChangeLoop, ApplyUsesCentredAndTheCurrentPicture) {
    startWith("2", "0");
    auto& main = app().form<Form1>();
    main.ApK.click();
    EXPECT_EQ(t.desktop.applied.back(), (fake::RecordingDesktop::Applied{"Null", 0}));
    main.Fi.setListIndex(2);
    main.ApK.click();
    EXPECT_EQ(t.desktop.applied.back(), (fake::RecordingDesktop::Applied{pic("c"), 0}));
    EXPECT_EQ(app().CurrentAspect, "0");
    t.desktop.failAt = "SetWallpaper";
    EXPECT_NO_THROW(main.ApK.click()) << "a refusal is swallowed";
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

TEST_F(ChangeLoop, TheListFollowsTheFolderLabel) {
    startWith("2", "0");
    auto& main = app().form<Form1>();
    EXPECT_EQ(main.Fi.items(), (Paths{"a", "b", "c"}));

    std::filesystem::create_directories(toPath(t.folder.file("other")));
    t.folder.write(joinPath("other", "z.png"), "z");
    const std::string noSeparator = t.folder.file("other");  // an edited file: no trailing one
    app().WriteSetting("OPTION", "Folder", noSeparator);
    app().form<Foption>().initio();
    EXPECT_EQ(main.Lchemin.caption(), noSeparator);
    ASSERT_EQ(main.Fi.items(), Paths{"z.png"});
    main.Fi.setListIndex(0);
    EXPECT_EQ(app().CurrentPicture, joinPath(noSeparator, "z.png")) << "one separator is added";
}

TEST_F(ChangeLoop, TheListShowsVisibleFilesInNameOrderWithoutCase) {
    startWith("2", "0", "Null", {"b.jpg", "A.png", ".hidden.png", "c.GIF", "a2.png"});
    std::filesystem::create_directories(toPath(pic("folder")));
    // Links to files count as files; Windows may not let a test make one.
    std::error_code noLinks;
    std::filesystem::create_symlink(toPath(pic("b.jpg")), toPath(pic("link.jpg")), noLinks);
    auto& main = app().form<Form1>();
    main.PointListAtFolder();
    Paths expected = {"A.png", "a2.png", "b.jpg", "c.GIF"};
    if (!noLinks) expected.push_back("link.jpg");
    EXPECT_EQ(main.Fi.items(), expected);
}

TEST_F(ChangeLoop, ThePreviewKeepsItsPictureWhenAFileIsNoPicture) {
    startWith("2", "0");
    t.window.pictures[pic("a")] = {640, 400};
    auto& main = app().form<Form1>();
    main.Fi.setListIndex(0);
    ASSERT_TRUE(main.Im1.picture());
    EXPECT_EQ(main.Im1.picture()->source, pic("a"));
    main.Fi.setListIndex(1);
    EXPECT_EQ(main.Im1.picture()->source, pic("a")) << "b is not a picture";
    EXPECT_EQ(app().CurrentPicture, pic("b")) << "but it is the picture to apply";
}

}  // namespace
}  // namespace korvo
