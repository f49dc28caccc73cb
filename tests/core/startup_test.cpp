#include <gtest/gtest.h>

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

}  // namespace
}  // namespace korvo
