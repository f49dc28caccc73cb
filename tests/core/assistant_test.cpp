#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "base/ini_text.h"
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
        t.program = std::make_unique<Program>(Services{t.scheduler, t.window, t.files, store,
                                                       t.startup, t.desktop.factory(),
                                                       [this] { return t.now(); }, t.folder.str()});
        t.writeIni(ini);
        t.window.screen = {0, 0, 19200, 12000};  // 1280 x 800 pixels
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
    void click(forms::CommandButton& button) {
        ASSERT_TRUE(button.enabled()) << button.form().name();
        run([&] { button.click(); });
    }
    void toFolderPage(int flag = 1) {
        press(page1().flag(flag));
        click(page1().C1);
    }
    void toSettingsPage(int flag = 1) {
        toFolderPage(flag);
        run([&] { page2().Cv2.click(); });
        click(page2().C1);
    }
    // The program folder's "fond", built apart from the page's own joining.
    std::string fond() const { return fromPath(toPath(t.folder.str()) / "fond" / ""); }
};

TEST(Assistant, ContinueWaitsForAChoiceOnEveryPage) {
    Assistant a;
    EXPECT_FALSE(a.page1().C1.enabled());
    a.toFolderPage();
    EXPECT_FALSE(a.page1().visible());
    EXPECT_FALSE(a.page2().C1.enabled());
    EXPECT_FALSE(a.page2().Label4.visible());
    a.run([&] { a.page2().Cv2.click(); });
    a.run([&] { a.page2().Cv2.click(); });
    EXPECT_EQ(a.page2().T.text(), a.fond());
    EXPECT_TRUE(a.page2().C1.enabled());
    EXPECT_TRUE(a.page2().Label4.visible());
    a.click(a.page2().C1);
    EXPECT_FALSE(a.page2().visible());
    a.run([&] { a.page3().Combo2.setListIndex(1); });
    EXPECT_FALSE(a.page3().C1.enabled()) << "the display list does not enable Continue";

    for (const auto& choose : std::vector<std::function<void(Fassist3&)>>{
             [](Fassist3& p) { p.Option1[0].select(); }, [](Fassist3& p) { p.Option1[1].select(); },
             [](Fassist3& p) { p.Combo1.setListIndex(2); },
             [](Fassist3& p) { p.Check1.click(); }}) {
        Assistant b;
        b.toSettingsPage();
        b.run([&] { choose(b.page3()); });
        EXPECT_TRUE(b.page3().C1.enabled());
    }
}

TEST(Assistant, FlagsAndButtonsPickTheLanguage) {
    // Flag k stands over button k, but for the French flag 6, which stands first.
    const std::vector<std::pair<std::string, int>> byFlag = {{"EN", 1},  {"DE", 2},  {"JP", 3},
                                                             {"ESP", 4}, {"CHN", 5}, {"FR", 0}};
    for (int flag = 1; flag <= 6; ++flag) {
        Assistant a;
        a.press(a.page1().flag(flag));
        const auto& [code, button] = byFlag[static_cast<std::size_t>(flag - 1)];
        EXPECT_EQ(a.app().AssistLang, code) << flag;
        EXPECT_TRUE(a.page1().Option1[button].value()) << flag;
        EXPECT_TRUE(a.page1().C1.enabled());
        a.run([&] { a.page1().Option1[5].select(); });
        EXPECT_EQ(a.app().AssistLang, "CHN") << "the last click wins";
    }
}

TEST(Assistant, TheXEndsTheProgramWritingNothing) {
    for (int page = 1; page <= 3; ++page) {
        Assistant a;
        if (page == 2) a.toFolderPage(6);
        if (page == 3) a.toSettingsPage(6);
        const std::vector<AssistantPage*> pages = {&a.page1(), &a.page2(), &a.page3()};
        a.press(pages[static_cast<std::size_t>(page - 1)]->Label2);
        EXPECT_TRUE(a.t.window.ended) << page;
        EXPECT_TRUE(a.app().runtime().ended());
        EXPECT_EQ(a.t.ini(), LaidDown) << "the next start shows the assistant again";
    }
}

TEST(Assistant, ThePagesStartInTheMiddleOfTheScreenAndMoveByAPressOnThem) {
    Assistant a;
    EXPECT_EQ(a.page1().rect(), (forms::Rect{7387, 3547, 4425, 4905}));
    for (const auto& [page, logo] :
         std::vector<std::pair<AssistantPage*, forms::Control*>>{{&a.page1(), &a.page1().Is1},
                                                                 {&a.page2(), &a.page2().Is1},
                                                                 {&a.page3(), &a.page3().Is1}}) {
        a.t.window.calls.clear();
        a.run([&] { page->mouseDown({static_cast<int>(forms::MouseButton::Right)}); });
        a.press(page->Picture1);
        a.press(*logo);
        EXPECT_EQ(a.t.window.calls, std::vector<std::string>(3, "drag " + page->name()));
    }
}

TEST(Assistant, TheFolderPageSpeaksFrenchOnlyForFrench) {
    const std::string french = "Choisissez le répertoire des Fonds d'écrans !";
    // Flag 0: the page is loaded before the French choice, as the font routines load it.
    for (const auto& [flag, title] : std::vector<std::pair<int, std::string>>{
             {6, french}, {2, "Choose the Wallpapers Folder"}, {0, french}}) {
        Assistant a;
        if (flag == 0) a.page2();
        a.toFolderPage(flag == 0 ? 6 : flag);
        EXPECT_EQ(a.page2().Label1.caption(), title) << flag;
        EXPECT_EQ(a.page2().Label3.caption(), a.fond());
    }
}

TEST(Assistant, TheFolderBrowserFillsTheFolderPage) {
    Assistant a;
    const std::string pictures = a.t.pictureFolder({"a.png"});
    a.toFolderPage();
    a.run([&] { a.page2().Cv.click(); });
    Form4& browser = a.app().form<Form4>();
    a.run([&] { browser.Command1.click(); });
    EXPECT_EQ(a.page2().T.text(), a.app().runtime().files().systemDrive());
    EXPECT_TRUE(a.page2().C1.enabled()) << "the root the box shows, confirmed, lets the page go on";

    a.run([&] { browser.show(); });
    a.run([&] { browser.Dir1.setPath(a.t.folder.file("pics")); });
    a.run([&] { browser.Command1.click(); });
    EXPECT_FALSE(browser.visible());
    a.click(a.page2().C1);
    EXPECT_EQ(a.app().AssistFolder, pictures);
}

TEST(Assistant, ContinueWritesTheEightSettingsInOrderAndStartsNormalOperation) {
    // No stored change mode: the page writes the empty one it holds.
    Assistant a("[OPTION]\nFolder=Null\nLang=EN\nDelay=0\n[Start]\nWin=0\nFirst=1\n");
    a.toSettingsPage(3);
    a.run([&] { a.page3().Check1.click(); });
    a.t.writeIni("");  // so that every write adds a line
    a.store.seen.clear();
    a.store.added.clear();
    a.click(a.page3().C1);
    EXPECT_EQ(a.store.added, (std::vector<std::string>{"Win=1", "Folder=" + a.fond(), "Delay=1",
                                                       "Affichage=", "First=0", "Aspect=0",
                                                       "Wallpaper=Null", "Lang=JP"}));
    EXPECT_TRUE(a.app().form<Form1>().visible());
    EXPECT_FALSE(a.page3().visible());
    EXPECT_EQ(a.app().FolderPath, a.fond()) << "the loader ran on the written file";
    EXPECT_EQ(a.app().CurrentLang, "JP");
}

TEST(Assistant, TheSettingsPageChoicesGiveTheirCodes) {
    // The clock runs in automatic mode while the assistant is open. The loader reads "Aspect"
    // after the caption sets have loaded the page, so only the display list changes it.
    const std::string automatic =
        "[OPTION]\nFolder=Null\nLang=EN\nAffichage=1\nAspect=2\nDelay=5\n[Start]\nFirst=1\n";
    using Choice = std::function<void(Fassist3&)>;
    for (const auto& [name, choose, written] :
         std::vector<std::tuple<std::string, Choice, std::string>>{
             {"5 minutes", [](Fassist3& p) { p.Combo1.setListIndex(4); }, "300 1 2"},
             {"no change after a delay",
              [](Fassist3& p) {
                  p.Option1[0].select();
                  p.Combo1.setListIndex(3);
                  p.Option1[1].select();
              },
              "0 2 2"},
             {"auto after no change",
              [](Fassist3& p) {
                  p.Combo1.setListIndex(2);
                  p.Option1[1].select();
                  p.Option1[0].select();
              },
              "30 1 2"},
             {"Mosaik", [](Fassist3& p) { p.Combo2.setText("Mosaik"), p.Check1.click(); }, "1 1 1"},
             {"mosaic",
              [](Fassist3& p) {
                  p.Combo2.setListIndex(0);
                  p.Combo2.setText("mosaic");
                  p.Check1.click();
              },
              "1 1 0"}}) {
        Assistant a(automatic);
        a.toSettingsPage(2);
        a.run([&] { choose(a.page3()); });
        a.click(a.page3().C1);
        const auto read = [&](const char* key) {
            return ini::read(a.t.ini(), "OPTION", key).value_or("-");
        };
        EXPECT_EQ(read("Delay") + " " + read("Affichage") + " " + read("Aspect"), written) << name;
        EXPECT_EQ(read("Lang"), "DE") << name;
    }

    Assistant a(automatic);
    a.toSettingsPage();
    EXPECT_TRUE(a.app().form<Fsuite>().T01.isEnabled());
    a.run([&] { a.page3().Option1[1].select(); });
    EXPECT_FALSE(a.app().form<Fsuite>().T01.isEnabled()) << "no change stops the counting at once";
}

}  // namespace
}  // namespace korvo
