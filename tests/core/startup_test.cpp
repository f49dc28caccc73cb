// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "support/fixture.h"
#include "ui/assistant/fassist1.h"
#include "ui/main/form1.h"

namespace korvo {
namespace {

using testing::TestProgram;

TEST(Startup, TheFirstRunFlagChoosesTheWindow) {
    // Empty, not a number or no file (no flag): a fresh installation, so the assistant runs.
    const std::pair<std::optional<std::string>, std::string> cases[] = {
        {"0", "main"},     {" 0 ", "main"},    {"1", "assistant"},         {"2", "neither"},
        {"", "assistant"}, {"x", "assistant"}, {std::nullopt, "assistant"}};
    for (const auto& [flag, shown] : cases) {
        TestProgram t;
        if (flag) t.writeIni("[OPTION]\nFolder=Null\nDelay=0\n[Start]\nFirst=" + *flag + "\n");
        t.app().SubMain();
        const bool assistant = t.app().isLoaded<Fassist1>() && t.app().form<Fassist1>().visible();
        EXPECT_EQ(t.app().form<Form1>().visible() ? "main"
                  : assistant                     ? "assistant"
                                                  : "neither",
                  shown)
            << flag.value_or("no file");
        EXPECT_TRUE(t.window.called("tray+ Form1 Korvo"));
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
