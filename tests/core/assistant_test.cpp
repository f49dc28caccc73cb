// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>

#include "engine/fsuite.h"
#include "support/fixture.h"
#include "ui/assistant/fassist1.h"
#include "ui/assistant/fassist2.h"
#include "ui/assistant/fassist3.h"
#include "ui/main/form1.h"
#include "ui/options/form4.h"

namespace korvo {
namespace {

const std::string LaidDown =
    "[OPTION]\nFolder=Null\nWallpaper=Null\nLang=EN\nAffichage=2\nAspect=0\nTime=Null\n"
    "Delay=0\n[Start]\nWin=0\nFirst=1\n";

// Records the line each write of the settings file brings, so that the order of the writes shows.
struct RecordingStore : platform::DiskTextFileStore {
    std::set<std::string> seen;
    std::vector<std::string> added;
    bool replace(const std::string& path, const std::string& content) override {
        std::istringstream in(content);
        for (std::string line; std::getline(in, line);) {
            std::erase(line, '\r');
            if (!line.starts_with('[') && seen.insert(line).second) added.push_back(line);
        }
        return DiskTextFileStore::replace(path, content);
    }
};

// A first start on fakes, driven as a user drives the pages.
struct Assistant {
    RecordingStore store;
    testing::TestProgram t;

    explicit Assistant(const std::string& ini = LaidDown) {
        t.program = std::make_unique<Program>(t.services(t.files, store));
        t.writeIni(ini);
        t.start();
    }
    Program& app() { return t.app(); }
    Fassist1& page1() { return app().form<Fassist1>(); }
    Fassist2& page2() { return app().form<Fassist2>(); }
    Fassist3& page3() { return app().form<Fassist3>(); }
    void run(const std::function<void()>& event) { app().runtime().dispatch(event); }
    void press(forms::Control& control) {
        run([&] { control.mouseDown({static_cast<int>(forms::MouseButton::Left)}); });
    }
    void tap(forms::Control& control) {  // pressed and released over it
        press(control);
        run([&] { control.pointerClick(); });
    }
    void click(forms::CommandButton& button) {
        ASSERT_TRUE(button.enabled()) << button.form().name();
        run([&] { button.click(); });
    }
    void toFolderPage(int flag = 1) {
        tap(page1().flag(flag));
        click(page1().C1);
    }
    void toSettingsPage(int flag = 1) {
        toFolderPage(flag);
        run([&] { page2().Cv2.click(); });
        click(page2().C1);
    }
    // The last page's choices, a letter each: a(uto), n(o change), m types "Mosaik" in the
    // display list, w ticks the log-on box; a digit picks that item of the delay list.
    void choose(const std::string& steps) {
        for (const char step : steps) {
            Fassist3& p = page3();
            run([&] {
                if (step == 'a' || step == 'n') p.Option1[step == 'n'].select();
                if (step == 'm') p.Combo2.setText("Mosaik");
                if (step == 'w') p.Check1.click();
                if (step >= '0' && step <= '9') p.Combo1.setListIndex(step - '0');
            });
        }
    }
    // The program folder's "fond", built apart from the page's own joining.
    std::string fond() const { return fromPath(toPath(t.folder.str()) / "fond" / ""); }
};

TEST(Assistant, ContinueWaitsForAChoiceOnEveryPageThenWritesTheEightSettingsInOrder) {
    // No stored change mode: the page writes the empty one it holds.
    Assistant a("[OPTION]\nFolder=Null\nLang=EN\nDelay=0\n[Start]\nWin=0\nFirst=1\n");
    EXPECT_FALSE(a.page1().C1.enabled());
    a.tap(a.page1().flag(6));
    a.run([&] { a.page1().Option1[3].select(); });  // the last click wins
    a.click(a.page1().C1);
    EXPECT_FALSE(a.page2().C1.enabled() || a.page2().Label4.visible());
    a.run([&] { a.page2().Cv2.click(); });
    EXPECT_TRUE(a.page2().Label4.visible());
    a.click(a.page2().C1);
    a.choose("m");
    EXPECT_FALSE(a.page3().C1.enabled()) << "the display list does not enable Continue";
    a.choose("w");
    a.t.writeIni("");  // so that every write adds a line
    a.store = RecordingStore{};
    a.click(a.page3().C1);
    EXPECT_EQ(a.store.added, (std::vector<std::string>{"Win=1", "Folder=" + a.fond(), "Delay=1",
                                                       "Affichage=", "First=0", "Aspect=1",
                                                       "Wallpaper=Null", "Lang=JP"}));
    EXPECT_FALSE(a.page1().visible() || a.page2().visible() || a.page3().visible());
    EXPECT_TRUE(a.app().form<Form1>().visible());
    EXPECT_EQ(a.app().FolderPath, a.fond()) << "the loader ran on the written file";
    EXPECT_EQ(a.app().CurrentLang, "JP");
}

TEST(Assistant, FlagsAndButtonsPickTheLanguageAndOnlyFrenchMakesTheFolderPageFrench) {
    // Flag k stands over button k, but for the French flag 6, which stands first.
    const std::string byFlag[] = {"EN", "DE", "JP", "ESP", "CHN", "FR"};
    for (int flag = 1; flag <= 6; ++flag) {
        Assistant a;
        if (flag == 6) a.page2();  // loaded before the choice, as the font routines load it
        a.toFolderPage(flag);
        EXPECT_EQ(a.app().AssistLang, byFlag[flag - 1]);
        EXPECT_TRUE(a.page1().Option1[flag % 6].value()) << flag;
        EXPECT_EQ(a.page2().Label1.caption().starts_with("Choisissez"), flag == 6) << flag;
    }
}

TEST(Assistant, EachPageMovesByAPressAndItsXEndsTheProgramWritingNothing) {
    for (int number = 1; number <= 3; ++number) {
        Assistant a;
        if (number == 2) a.toFolderPage(6);
        if (number == 3) a.toSettingsPage(6);
        AssistantPage& page = *std::vector<AssistantPage*>{
            &a.page1(), &a.page2(), &a.page3()}[static_cast<std::size_t>(number - 1)];
        a.t.window.calls.clear();
        a.run([&] { page.mouseDown({static_cast<int>(forms::MouseButton::Right)}); });
        a.press(page.Picture1);
        EXPECT_EQ(a.t.window.calls, std::vector<std::string>(2, "drag " + page.name()));
        a.press(page.Label2);
        EXPECT_FALSE(a.app().runtime().ended()) << "a press alone is no click";
        a.tap(page.Label2);
        EXPECT_TRUE(a.t.window.ended && a.app().runtime().ended()) << number;
        EXPECT_EQ(a.t.ini(), LaidDown) << "the next start shows the assistant again";
    }
}

TEST(Assistant, TheFolderBrowsersUnchangedRootFillsTheFolderPage) {
    Assistant a;
    a.toFolderPage();
    a.run([&] { a.page2().Cv.click(); });
    Form4& browser = a.app().form<Form4>();
    a.run([&] { browser.Command1.click(); });
    // The standard file system's one root: "/", or "\" under Wine.
    EXPECT_EQ(a.page2().T.text(), std::filesystem::path::preferred_separator == '/' ? "/" : "\\");
    EXPECT_TRUE(a.page2().C1.enabled()) << "the root the box shows, confirmed, lets the page go on";
}

TEST(Assistant, TheSettingsPageChoicesGiveTheirCodes) {
    // The clock runs in automatic mode while the assistant is open. The loader reads "Aspect"
    // after the caption sets have loaded the page, so only the display list changes it.
    const std::string automatic =
        "[OPTION]\nFolder=Null\nLang=EN\nAffichage=1\nAspect=2\nDelay=5\n[Start]\nFirst=1\n";
    // Delay, Affichage, Aspect and Lang as written, after the choices.
    const std::pair<std::string, std::string> cases[] = {
        {"4m", "300 1 1 DE"}, {"n", "0 2 2 DE"}, {"a", "1 1 2 DE"}, {"2na", "30 1 2 DE"}};
    for (const auto& [steps, expected] : cases) {
        Assistant a(automatic);
        a.toSettingsPage(2);
        a.choose(steps);
        EXPECT_EQ(a.app().form<Fsuite>().T01.isEnabled(), steps.find('n') == std::string::npos)
            << "no change stops the counting at once";
        a.click(a.page3().C1);
        std::string written = a.app().ReadSetting("OPTION", "Delay");
        for (const char* key : {"Affichage", "Aspect", "Lang"})
            written += " " + a.app().ReadSetting("OPTION", key);
        EXPECT_EQ(written, expected) << steps;
    }
}

}  // namespace
}  // namespace korvo
