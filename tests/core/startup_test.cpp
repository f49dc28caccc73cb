#include <gtest/gtest.h>

#include "engine/form2.h"
#include "support/fixture.h"
#include "ui/assistant/fassist1.h"
#include "ui/main/form1.h"

namespace korvo {
namespace {

using testing::TestProgram;

TEST(Startup, TheFirstRunFlagChoosesTheWindow) {
    struct Case {
        std::optional<std::string> flag;  // none: no settings file at all
        bool mainShown, assistantShown;
    };
    // Empty, not a number or no file: a fresh installation, so the assistant runs.
    for (const auto& [flag, mainShown, assistantShown] :
         std::vector<Case>{{"0", true, false},
                           {" 0 ", true, false},
                           {"1", false, true},
                           {"2", false, false},
                           {"", false, true},
                           {"x", false, true},
                           {std::nullopt, false, true}}) {
        TestProgram t;
        if (flag) t.writeIni("[OPTION]\nFolder=Null\nDelay=0\n[Start]\nFirst=" + *flag + "\n");
        auto& app = t.app();
        app.SubMain();
        SCOPED_TRACE(flag.value_or("no file"));
        EXPECT_TRUE(t.window.called("tray+ Form1 Korvo"));
        EXPECT_EQ(app.form<Form1>().visible(), mainShown);
        EXPECT_EQ(app.isLoaded<Fassist1>() && app.form<Fassist1>().visible(), assistantShown);
    }
}

TEST(Startup, TheLaidDownSettingsFileStartsTheAssistantWithTheClockRunning) {
    TestProgram t;
    t.writeIni(
        "[OPTION]\nFolder=Null\nWallpaper=Null\nLang=EN\nAffichage=2\nAspect=2\nTime=Null\n"
        "Delay=0\n[Start]\nWin=0\nFirst=1\n");
    auto& app = t.app();
    app.SubMain();
    EXPECT_TRUE(app.form<Fassist1>().visible());
    EXPECT_EQ(app.CurrentAspect, "2");
    EXPECT_EQ(app.form<Form1>().ApK.caption(), "To Apply");
}

TEST(Startup, TheLogOnEntryFollowsWinOncePerStart) {
    for (const std::string win : {"1", "0", "2", ""}) {
        TestProgram t;
        t.writeIni("[Start]\nFirst=0\nWin=" + win + "\n");
        t.app().SubMain();
        const std::vector<std::string> expected =
            win == "1"   ? std::vector{"add Korvo " + t.folder.file("Korvo.exe")}
            : win == "0" ? std::vector<std::string>{"remove Korvo"}
                         : std::vector<std::string>{};
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
