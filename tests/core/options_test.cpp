// The options dialog, the hidden option form, the language buttons and the dialog's folder
// browser, driven as the user drives them, on the manual clock.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "i18n/language.h"
#include "support/fixture.h"
#include "ui/main/form1.h"
#include "ui/options/folder_browser.h"
#include "ui/options/foption.h"
#include "ui/options/form3.h"

namespace korvo {
namespace {

using forms::CheckBox;

struct Session {
    testing::TestProgram t;
    std::string pics;

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
    std::string stored(const std::string& key) { return app().ReadSetting("OPTION", key); }

    // What the dialog shows, as one comparable line.
    std::string shown() {
        Foption& d = dialog();
        std::string line = d.Text2.text() + (d.Option1.value() ? " manual" : "") +
                           (d.Option4.value() ? " automatic" : "") + " slider " +
                           std::to_string(d.Slider1.value());
        for (auto& b : d.Option2)
            if (b->value()) line += " lang " + std::to_string(b->index());
        for (auto& b : d.Option3)
            if (b->value()) line += " style " + std::to_string(b->index());
        return line + " win " + std::to_string(d.Check1.value());
    }
};
struct Options : ::testing::Test, Session {};

TEST_F(Options, TheMainWindowShowsTheStoredSettingsTheTrayPathAsLeftAndCancelRestores) {
    start();
    const std::string storedView = pics + " automatic slider -5 lang 1 style 1 win 1";
    openFromMainWindow();
    EXPECT_TRUE(dialog().visible());
    EXPECT_EQ(shown(), storedView);
    EXPECT_EQ(dialog().Command1.picture()->source, ":folder.png");

    const std::string before = t.ini();
    click(dialog().Command5);
    const std::string defaults = t.folder.str() + separator() + "fond" + separator() +
                                 " manual slider -5 lang 0 style 0 win 0";
    EXPECT_EQ(shown(), defaults);
    EXPECT_EQ(app().CurrentLang, "EN");
    EXPECT_FALSE(t.scheduler.isArmed(dialog().TimerSt)) << "manual stops the clock at once";
    dialog().hide();
    app().runtime().dispatch([&] { dialog().show(); });  // the tray does not reload
    EXPECT_EQ(shown(), defaults);

    click(dialog().Command3);
    EXPECT_FALSE(dialog().visible());
    EXPECT_EQ(t.ini(), before) << "Default then Cancel writes nothing";
    EXPECT_EQ(shown(), storedView);
    EXPECT_EQ(app().CurrentLang, "FR");
    EXPECT_EQ(app().CurrentAspect, "1");
}

TEST_F(Options, OkStoresWhatTheDialogShows) {
    struct Case {
        const char* storedDelay;
        std::function<void(Foption&)> edit;
        const char *mode, *delay;
    };
    const std::vector<Case> cases = {
        {"60", [](Foption& d) { d.Option1.select(); }, "2", "0"},
        {"60", [](Foption& d) { d.Slider1.setValue(-9); }, "1", "3600"},
        {"abc", [](Foption& d) { d.Option4.select(); }, "1", "1"},
    };
    for (const auto& c : cases) {
        Session run;
        run.start(std::string("Affichage=2\nDelay=") + c.storedDelay + "\nAspect=1\nLang=FR\n");
        run.openFromMainWindow();
        if (std::string(c.storedDelay) == "60") run.dialog().Option4.select();
        c.edit(run.dialog());
        run.click(run.dialog().Command2);
        EXPECT_EQ(run.stored("Affichage"), c.mode) << c.storedDelay;
        EXPECT_EQ(run.stored("Delay"), c.delay) << c.storedDelay;
        EXPECT_EQ(run.app().ClockDelay, c.delay) << "the running clock follows at once";
        EXPECT_EQ(run.app().ReadSetting("Start", "Win"), "1") << "the stored log-on start stays";
        EXPECT_FALSE(run.dialog().visible());
    }
}

TEST_F(Options, ChineseThenOkStoresItFrenchThenCancelKeepsTheStoredLanguage) {
    start("Affichage=2\nDelay=0\nAspect=0\nLang=DE\n");
    openFromMainWindow();
    dialog().Option2[1].select();
    EXPECT_EQ(app().CurrentLang, "FR");
    click(dialog().Command3);
    EXPECT_EQ(app().CurrentLang, "DE");
    openFromMainWindow();
    click(dialog().Command2);
    EXPECT_EQ(stored("Lang"), "DE") << "an untouched language is written back unchanged";

    openFromMainWindow();
    dialog().Option2[5].select();
    click(dialog().Command2);
    EXPECT_EQ(stored("Lang"), "CHN");
    EXPECT_EQ(app().CurrentLang, "CHN");
    EXPECT_TRUE(app().form<Form3>().Option2[5].value());
    EXPECT_EQ(dialog().Check1.caption(), "开始Korvo 与Windows") << "the Chinese captions are on";
}

TEST_F(Options, AStyleClickActsAtOnceAndTheCloseBoxCancelsWithTheClockRunning) {
    start("Affichage=1\nDelay=5\nAspect=1\nLang=EN\n");
    openFromMainWindow();
    dialog().Option3[2].select();
    EXPECT_EQ(app().CurrentAspect, "2");
    t.scheduler.advanceSeconds(4);
    ASSERT_EQ(t.desktop.applied.size(), 1u);
    EXPECT_EQ(t.desktop.applied.back().style, 2u) << "a change during the open dialog";

    app().runtime().dispatch([&] { dialog().requestClose(); });
    EXPECT_TRUE(app().isLoaded<Foption>());
    EXPECT_FALSE(dialog().visible());
    EXPECT_EQ(app().CurrentAspect, "1") << "closed like Cancel";
    t.scheduler.advanceSeconds(4);
    EXPECT_EQ(t.desktop.applied.size(), 2u) << "the clock keeps running";
    EXPECT_EQ(t.desktop.applied.back().style, 1u);
}

TEST_F(Options, TheBoxFollowsTheStoredLogOnStart) {
    for (const auto& [win, ticked] : std::map<std::string, int>{
             {"1", CheckBox::Checked}, {"0", CheckBox::Unchecked}, {"yes", CheckBox::Unchecked}}) {
        Session run;
        run.start("Affichage=2\nDelay=0\nAspect=0\nLang=EN\n", win);
        EXPECT_EQ(run.dialog().Check1.value(), ticked) << win;
    }
}

TEST_F(Options, InscritoWritesItsSixSettingsInOrder) {
    Foption& d = dialog();  // an empty settings file: each write appends
    app().CurrentLang = "JP";
    app().OptChangeMode = "1";
    app().OptDelay = "30";
    app().CurrentAspect = "2";
    d.Text2.setText("/pictures");
    d.Check1.setValue(CheckBox::Checked);
    d.inscrito();
    EXPECT_EQ(t.ini(),
              "[Start]\r\nWin=1\r\n[OPTION]\r\nLang=JP\r\nAffichage=1\r\nDelay=30\r\n"
              "Folder=/pictures\r\nAspect=2\r\n");
    d.Check1.setValue(CheckBox::Grayed);
    d.inscrito();
    EXPECT_EQ(app().ReadSetting("Start", "Win"), "1") << "a greyed box writes nothing";
}

// Counts the loadings of each form.
struct LoadCounter : forms::ViewObserver {
    std::map<std::string, int> loads;
    void formEvent(forms::Form& form, forms::FormEvent event, forms::FormProperty) override {
        if (event == forms::FormEvent::Loaded) ++loads[form.name()];
    }
    void controlChanged(forms::Control&, forms::Property) override {}
};

TEST_F(Options, TheDialogAndTheOptionFormCreateEachOtherOnce) {
    LoadCounter counter;
    app().runtime().addObserver(&counter);
    start("Affichage=1\nDelay=5\nAspect=2\n");
    app().runtime().removeObserver(&counter);
    EXPECT_EQ(counter.loads["Foption"], 1);
    EXPECT_EQ(counter.loads["Form3"], 1);
    EXPECT_EQ(dialog().icon(), app().form<Form3>().icon());
    EXPECT_EQ(dialog().caption(), "Korvo option") << "no language stored: no caption set";
    EXPECT_EQ(shown(), pics + " automatic slider -1 style 2 win 1")
        << "the loader finished after the nested one";
    EXPECT_EQ(app().ElapsedSeconds, 1);
    EXPECT_TRUE(t.scheduler.isArmed(dialog().TimerSt));
}

TEST_F(Options, ApplyLanguageSelectsTheStoredCodeOrEnglish) {
    for (std::size_t i = 0; i < LanguageCodes.size(); ++i) {
        app().WriteSetting("OPTION", "Lang", std::string(LanguageCodes[i]));
        app().runtime().dispatch([&] { app().ApplyLanguage(); });
        EXPECT_EQ(app().CurrentLang, LanguageCodes[i]);
        EXPECT_TRUE(app().form<Form3>().Option2[static_cast<int>(i)].value());
        EXPECT_TRUE(dialog().Option2[static_cast<int>(i)].value());
    }
    for (const std::string lang : {"de", "", "missing file"}) {
        testing::TestProgram fresh;
        if (lang != "missing file") fresh.writeIni("[OPTION]\nLang=" + lang + "\n");
        fresh.app().ApplyLanguage();
        EXPECT_EQ(fresh.app().CurrentLang, "EN") << lang;
        EXPECT_TRUE(fresh.app().form<Form3>().Option2[0].value()) << lang;
        EXPECT_EQ(fresh.app().form<Foption>().Check1.caption(), "Start with Windows") << lang;
    }
}

// A machine with one more drive that is not ready, and a pictures folder to start in.
struct BrowserFiles : platform::StdFileSystem {
    std::string start;
    std::vector<std::string> drives() override { return {"/", start + "-not-ready"}; }
    std::string startFolder() override { return start; }
};

struct Browser : ::testing::Test {
    testing::TempFolder folder;
    fake::ManualScheduler scheduler;
    fake::RecordingWindow window;
    BrowserFiles files;
    platform::DiskTextFileStore store;
    testing::RecordingStartup startup;
    fake::RecordingDesktop desktop;
    std::unique_ptr<Program> program;

    Browser() {
        std::filesystem::create_directories(toPath(folder.file("pics/sub")));
        files.start = folder.file("pics");
        program = std::make_unique<Program>(
            Services{scheduler, window, files, store, startup, desktop.factory(),
                     [] { return LocalTime{2026, 12, 6, 9, 0, 0}; }, folder.str()});
    }
    Foption& dialog() { return program->form<Foption>(); }
    Form5& open() {
        program->runtime().dispatch([&] { dialog().Command1.click(); });
        return program->form<Form5>();
    }
    void press(forms::CommandButton& button) {
        program->runtime().dispatch([&] { button.click(); });
    }
};

TEST_F(Browser, WalksTheChainAndDeliversOneSeparator) {
    const std::string start = folder.file("pics"), sub = folder.file("pics/sub");
    Form5& browser = open();
    EXPECT_TRUE(browser.visible());
    EXPECT_EQ(browser.Drive1.drive(), "/");
    EXPECT_EQ(browser.Dir1.path(), start);
    press(browser.Command1);
    EXPECT_EQ(dialog().Text2.text(), start + separator()) << "OK before any change";
    EXPECT_FALSE(browser.visible());

    open();
    browser.Dir1.setPath(sub);
    EXPECT_EQ(browser.File1.path(), sub);
    press(browser.Command1);
    EXPECT_EQ(dialog().Text2.text(), sub + separator());
    EXPECT_EQ(open().Dir1.path(), sub) << "the second opening shows the first choice";

    EXPECT_THROW(browser.Dir1.setPath(folder.file("gone")), forms::Error);
    browser.Drive1.setDrive(files.start + "-not-ready");
    EXPECT_EQ(browser.Drive1.drive(), "/") << "a drive that is not ready is left at once";
    EXPECT_EQ(browser.Dir1.path(), sub);
    EXPECT_EQ(browser.Text2.text(), sub + separator());

    browser.Drive1.setDrive("/");
    browser.Dir1.setPath("/");
    press(browser.Command2);
    EXPECT_EQ(dialog().Text2.text(), sub + separator()) << "Cancel leaves the box untouched";
    open();
    press(browser.Command1);
    EXPECT_EQ(dialog().Text2.text(), "/") << "the root keeps its one separator";

    program->runtime().dispatch([&] { browser.requestClose(); });
    EXPECT_FALSE(program->isLoaded<Form5>());
    EXPECT_EQ(open().Dir1.path(), start) << "closed by its box, it starts afresh";
}

}  // namespace
}  // namespace korvo
