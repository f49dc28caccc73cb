// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The options dialog, the hidden option form, the language buttons and the dialog's folder
// browser, driven as the user drives them, on the manual clock.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/fixture.h"
#include "ui/main/form1.h"
#include "ui/options/folder_browser.h"
#include "ui/options/foption.h"
#include "ui/options/form3.h"

namespace korvo {
namespace {

// A machine whose system drive, its first, is not ready, and a pictures folder to start in.
struct BrowserFiles : platform::StdFileSystem {
    std::string start;
    std::vector<std::string> drives() override { return {start + "-not-ready", "/"}; }
    std::string systemDrive() override { return start + "-not-ready"; }
    std::string startFolder() override { return start; }
};

struct Session {
    BrowserFiles files;
    testing::TestProgram t;
    std::string pics = t.folder.file("pics");

    Session() {
        files.start = pics;
        t.program = std::make_unique<Program>(t.services(files, t.store));
    }
    // Korvo started on a folder of a, b, c; the settings hold `extra` besides.
    void start(const std::string& extra = "Affichage=1\nDelay=60\nAspect=1\nLang=FR\n",
               const std::string& win = "1") {
        pics = t.pictureFolder({"a", "b", "c"});
        t.writeIni("[OPTION]\nFolder=" + pics + "\nWallpaper=Null\nTime=Null\n" + extra +
                   "[Start]\nFirst=0\nWin=" + win + "\n");
        t.start();
    }
    Program& app() { return t.app(); }
    Foption& dialog() { return app().form<Foption>(); }
    void click(forms::CommandButton& button) {
        app().runtime().dispatch([&] { button.click(); });
    }
    void openFromMainWindow() { click(app().form<Form1>().Coption); }

    // What the dialog shows, as one comparable line.
    std::string shown() {
        Foption& d = dialog();
        std::string line = d.Text2.text() + (d.Option1.value() ? " manual" : "") +
                           (d.Option4.value() ? " automatic" : "") + " slider " +
                           std::to_string(d.Slider1.value());
        for (auto* group : {&d.Option2, &d.Option3})
            for (auto& b : *group)
                if (b->value()) line += " " + b->name() + " " + std::to_string(b->index());
        return line + " win " + std::to_string(d.Check1.value());
    }
};
struct Options : ::testing::Test, Session {};

TEST_F(Options, TheDialogShowsTheStoredSettingsAndItsCloseBoxCancelsWithTheClockRunning) {
    start("Affichage=1\nDelay=5\nAspect=1\nLang=FR\n");
    const std::string storedView = pics + " automatic slider -1 Option2 1 Option3 1 win 1";
    EXPECT_EQ(shown(), storedView) << "the start-up loader finished after the nested one";
    openFromMainWindow();
    EXPECT_EQ(shown(), storedView);

    const std::string before = t.ini();
    dialog().Option3[2].select();
    t.scheduler.advanceSeconds(4);
    click(dialog().Command5);
    const std::string samples = fromPath(toPath(t.folder.file("fond")) / "");
    EXPECT_EQ(shown(), samples + " manual slider -1 Option2 0 Option3 0 win 0");
    EXPECT_FALSE(t.scheduler.isArmed(dialog().TimerSt)) << "manual stops the clock at once";

    app().runtime().dispatch([&] { dialog().requestClose(); });
    EXPECT_FALSE(dialog().visible());
    EXPECT_EQ(t.ini(), before) << "Default then Cancel writes nothing";
    EXPECT_EQ(shown(), storedView);
    EXPECT_EQ(app().CurrentLang, "FR");
    t.scheduler.advanceSeconds(4);
    ASSERT_EQ(t.desktop.applied.size(), 2u) << "the clock keeps running";
    EXPECT_EQ(t.desktop.applied[0].style, 2u) << "a style click acts at once";
    EXPECT_EQ(t.desktop.applied[1].style, 1u);
}

TEST_F(Options, OkStoresWhatTheDialogShowsAndKeepsTheStoredLogOnStartAndLanguage) {
    struct Case {
        std::string delay, win;
        std::function<void(Foption&)> edit;
        std::string written;  // Win, Affichage, Delay, Lang, and the delay the clock runs on
    };
    for (const auto& [delay, win, edit, written] : std::vector<Case>{
             {"60", "1", [](Foption& d) { d.Option1.select(); }, "1 2 0 FR 0"},
             {"60", "0", [](Foption& d) { d.Slider1.setValue(-9); }, "0 1 3600 FR 3600"},
             // "Win" is read as start-up reads it, and a box left as loaded keeps it as it was.
             {"abc", "yes", [](Foption& d) { d.Option2[5].select(); }, "yes 1 1 CHN 1"},
             {"60", "01", [](Foption& d) { EXPECT_EQ(d.Check1.value(), forms::CheckBox::Checked); },
              "01 1 60 FR 60"},
         }) {
        Session run;
        run.start("Affichage=2\nDelay=" + delay + "\nAspect=1\nLang=FR\n", win);
        run.openFromMainWindow();
        run.dialog().Option4.select();
        edit(run.dialog());
        run.click(run.dialog().Command2);
        std::string stored = run.app().ReadSetting("Start", "Win");
        for (const char* key : {"Affichage", "Delay", "Lang"})
            stored += " " + run.app().ReadSetting("OPTION", key);
        EXPECT_EQ(stored + " " + run.app().ClockDelay, written) << delay;
    }
}

TEST_F(Options, InscritoWritesItsSixSettingsInOrder) {
    Foption& d = dialog();  // an empty settings file: each write appends
    app().CurrentLang = "JP";
    app().OptChangeMode = "1";
    app().OptDelay = "30";
    app().CurrentAspect = "2";
    d.Text2.setText("/pictures");
    d.Check1.setValue(forms::CheckBox::Checked);
    d.inscrito();
    EXPECT_EQ(t.ini(),
              "[Start]\r\nWin=1\r\n[OPTION]\r\nLang=JP\r\nAffichage=1\r\nDelay=30\r\n"
              "Folder=/pictures\r\nAspect=2\r\n");
}

TEST_F(Options, AStoredLanguageThatIsNoCodeChangesNoCaptionAndLeavesEnglishSelectedUnseen) {
    for (const std::string lang : {"de", "", "missing file"}) {
        testing::TestProgram fresh;
        if (lang != "missing file") fresh.writeIni("[OPTION]\nLang=" + lang + "\n");
        fresh.app().ApplyLanguage();
        Foption& d = fresh.app().form<Foption>();
        std::string seen = fresh.app().CurrentLang + "|" + d.Frame2.caption() + "|" +
                           d.Frame3.caption() + "|" + d.Check1.caption() + "|" +
                           d.Command3.caption();
        for (auto* group : {&d.Option2, &fresh.app().form<Form3>().Option2})
            for (const auto& b : *group)
                if (b->value()) seen += "|" + b->form().name() + " " + std::to_string(b->index());
        EXPECT_EQ(seen, "EN|Change wallpaper|Wallpaper folder|Start with Windows|Cancel|Form3 0")
            << lang;
    }
}

TEST_F(Options, TheBrowserWalksTheChainAndDeliversOneSeparator) {
    const std::string sub = t.folder.file("pics/sub");
    std::filesystem::create_directories(toPath(sub));
    const auto open = [&]() -> Form5& {
        click(dialog().Command1);
        return app().form<Form5>();
    };
    Form5& browser = open();
    EXPECT_EQ(browser.Drive1.drive(), "/") << "the first drive that opens stands in, never none";
    browser.Dir1.setPath(sub);
    click(browser.Command1);
    EXPECT_EQ(dialog().Text2.text(), sub + separator());
    EXPECT_EQ(open().Dir1.path(), sub) << "the second opening shows the first choice";

    browser.Drive1.setDrive(pics + "-not-ready");
    EXPECT_EQ(browser.Drive1.drive(), "/") << "a drive that is not ready is left at once";

    browser.Dir1.setPath("/");
    click(browser.Command2);
    EXPECT_EQ(dialog().Text2.text(), sub + separator()) << "Cancel leaves the box untouched";
    click(open().Command1);
    EXPECT_EQ(dialog().Text2.text(), "/") << "the root keeps its one separator";

    app().runtime().dispatch([&] { browser.requestClose(); });
    EXPECT_EQ(open().Dir1.path(), pics) << "closed by its box, it starts afresh";
}

}  // namespace
}  // namespace korvo
