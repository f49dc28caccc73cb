#include <gtest/gtest.h>

#include <cctype>

#include "engine/form2.h"
#include "support/fixture.h"
#include "ui/assistant/fassist1.h"
#include "ui/main/form1.h"
#include "ui/options/foption.h"

namespace korvo {
namespace {

using testing::TestProgram;

struct FirstRun {
    std::string flag;
    bool mainShown;
    bool assistantShown;
};

class ShowFirstWindowTest : public ::testing::TestWithParam<FirstRun> {};

TEST_P(ShowFirstWindowTest, TheFirstRunFlagChoosesTheWindow) {
    TestProgram t;
    t.writeIni("[OPTION]\nFolder=Null\nDelay=0\n[Start]\nWin=0\nFirst=" + GetParam().flag + "\n");
    auto& app = t.app();
    app.SubMain();
    ASSERT_TRUE(app.isLoaded<Form1>()) << "the main window is always loaded";
    EXPECT_TRUE(t.window.called("tray+ Form1 Korvo")) << "and its tray icon added";
    EXPECT_EQ(app.form<Form1>().visible(), GetParam().mainShown);
    EXPECT_EQ(app.isLoaded<Fassist1>() && app.form<Fassist1>().visible(),
              GetParam().assistantShown);
}

INSTANTIATE_TEST_SUITE_P(Flags, ShowFirstWindowTest,
                         ::testing::Values(FirstRun{"0", true, false}, FirstRun{"1", false, true},
                                           FirstRun{"2", false, false},
                                           // Empty or not a number: a fresh installation.
                                           FirstRun{"", false, true}, FirstRun{"x", false, true},
                                           FirstRun{" 0 ", true, false}),
                         [](const auto& param) {
                             std::string name = "First_";
                             for (char c : param.param.flag)
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name + (param.param.flag.empty() ? "empty" : "");
                         });

TEST(Startup, WithoutAnySettingsFileTheAssistantRuns) {
    TestProgram t;
    t.app().SubMain();
    EXPECT_TRUE(t.app().form<Fassist1>().visible());
    EXPECT_FALSE(t.app().form<Form1>().visible());
}

TEST(Startup, TheLaidDownSettingsFileStartsTheAssistantWithTheClockRunning) {
    TestProgram t;
    t.writeIni(
        "[OPTION]\nFolder=Null\nWallpaper=Null\nLang=EN\nAffichage=2\nAspect=0\nTime=Null\n"
        "Delay=0\n[Start]\nWin=0\nFirst=1\n");
    auto& app = t.app();
    app.SubMain();
    EXPECT_TRUE(app.form<Fassist1>().visible());
    EXPECT_EQ(app.CurrentPicture, "Null");
    EXPECT_EQ(app.CurrentAspect, "0");
    EXPECT_EQ(app.StoredChangeMode, "2");
    EXPECT_EQ(t.startup.calls, std::vector<std::string>{"remove Korvo"});
    EXPECT_FALSE(app.form<Form1>().showInTaskbar());
    EXPECT_EQ(app.form<Form1>().LFNa.caption(), "Korvo");
    EXPECT_EQ(app.form<Form1>().ApK.caption(), "To Apply");
}

TEST(Startup, TheLogOnEntryFollowsWinOncePerStart) {
    for (const std::string win : {"1", "0", "2", ""}) {
        TestProgram t;
        t.writeIni("[Start]\nFirst=0\nWin=" + win + "\n");
        t.app().SubMain();
        std::vector<std::string> expected;
        if (win == "1") expected = {"add Korvo " + t.folder.file("Korvo.exe")};
        if (win == "0") expected = {"remove Korvo"};
        EXPECT_EQ(t.startup.calls, expected) << "Win=" << win;
    }
}

TEST(Startup, HiddenWindowsTurnAClosingIntoHiding) {
    TestProgram t;
    auto& app = t.app();
    app.form<Form2>().show();
    app.runtime().dispatch([&] { app.form<Form2>().requestClose(); });
    EXPECT_TRUE(app.isLoaded<Form2>());
    EXPECT_FALSE(app.form<Form2>().visible());
    EXPECT_TRUE(app.form<Form2>().unload(forms::FormCode))
        << "the program's own unload goes through";
}

}  // namespace
}  // namespace korvo
