#include <gtest/gtest.h>

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

using testing::TestProgram;

const std::string LaidDown =
    "[OPTION]\nFolder=Null\nWallpaper=Null\nLang=EN\nAffichage=2\nAspect=0\nTime=Null\n"
    "Delay=0\n[Start]\nWin=0\nFirst=1\n";

// Keeps every version of the settings file, so that the order of the writes shows.
struct RecordingStore : platform::DiskTextFileStore {
    std::vector<std::string> written;
    bool replace(const std::string& path, const std::string& content) override {
        written.push_back(content);
        return DiskTextFileStore::replace(path, content);
    }
};

// A first start on fakes, driven as a user drives the pages.
struct Assistant {
    RecordingStore store;
    TestProgram t;

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
    EXPECT_TRUE(a.page1().visible());
    EXPECT_FALSE(a.page1().C1.enabled());
    a.toFolderPage();
    EXPECT_FALSE(a.page1().visible());
    EXPECT_TRUE(a.page2().visible());
    const std::string root = a.app().runtime().files().systemDrive();
    EXPECT_EQ(a.page2().T.text(), root) << "the design text, alone";
    EXPECT_FALSE(a.page2().C1.enabled());
    EXPECT_FALSE(a.page2().Label4.visible());
    a.run([&] { a.page2().Cv2.click(); });
    a.run([&] { a.page2().Cv2.click(); });
    EXPECT_EQ(a.page2().T.text(), a.fond());
    EXPECT_TRUE(a.page2().C1.enabled());
    EXPECT_TRUE(a.page2().Label4.visible());
    a.click(a.page2().C1);
    EXPECT_FALSE(a.page2().visible());
    EXPECT_TRUE(a.page3().visible());
    EXPECT_FALSE(a.page3().C1.enabled());
    a.run([&] { a.page3().Combo2.setListIndex(1); });
    EXPECT_FALSE(a.page3().C1.enabled()) << "the display list does not enable Continue";

    // Each of the other choices enables it.
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
    }
    EXPECT_EQ(Assistant().page1().flag(6).rect().left, 0) << "French leftmost on screen";

    Assistant a;
    a.press(a.page1().flag(6));
    a.run([&] { a.page1().Option1[5].select(); });
    EXPECT_EQ(a.app().AssistLang, "CHN") << "the last click wins";
    EXPECT_EQ(a.page1().Label1.caption(), "Choose your language !!");
    EXPECT_EQ(a.page1().C1.caption(), "Continue >");
}

TEST(Assistant, TheXEndsTheProgramWritingNothing) {
    for (int page = 1; page <= 3; ++page) {
        Assistant a;
        if (page >= 2) a.toFolderPage(6);
        if (page == 3) {
            a.run([&] { a.page2().Cv2.click(); });
            a.click(a.page2().C1);
            a.run([&] { a.page3().Check1.click(); });
        }
        const std::vector<AssistantPage*> pages = {&a.page1(), &a.page2(), &a.page3()};
        a.press(pages[static_cast<std::size_t>(page - 1)]->Label2);
        EXPECT_TRUE(a.t.window.ended) << page;
        EXPECT_TRUE(a.app().runtime().ended());
        EXPECT_EQ(a.t.ini(), LaidDown) << "the next start shows the assistant again";
    }
}

TEST(Assistant, ThePagesStartInTheMiddleOfTheScreenAndMoveByAPressOnThem) {
    Assistant a;
    struct Case {
        AssistantPage* page;
        forms::Rect place;
        std::vector<forms::Control*> parts;
    };
    for (const auto& [page, place, parts] : std::vector<Case>{
             {&a.page1(),
              {7387, 3547, 4425, 4905},
              {&a.page1().Picture1, &a.page1().Image2, &a.page1().Is1}},
             {&a.page2(), {7372, 3585, 4455, 4830}, {&a.page2().Picture1, &a.page2().Is1}},
             {&a.page3(),
              {7387, 3577, 4425, 4845},
              {&a.page3().Picture1, &a.page3().Is1, &a.page3().Label1}}}) {
        EXPECT_EQ(page->rect(), place) << page->name();
        a.t.window.calls.clear();
        a.run([&] { page->mouseDown({static_cast<int>(forms::MouseButton::Right)}); });
        for (forms::Control* part : parts) a.press(*part);
        EXPECT_EQ(a.t.window.calls,
                  std::vector<std::string>(parts.size() + 1, "drag " + page->name()));
    }
}

TEST(Assistant, TheFolderPageSpeaksFrenchOnlyForFrench) {
    struct Case {
        int flag;  // 0: the page is loaded before the French choice, as the font routines load it
        std::vector<std::string> captions;
    };
    const std::vector<std::string> french = {"Choisissez le répertoire des Fonds d'écrans !",
                                             "Par défaut",
                                             "Nouveau dossier",
                                             "Choisir..",
                                             "Défaut",
                                             "Cliquez continue    >>>>"};
    const std::vector<std::string> english = {
        "Choose the Wallpapers Folder", "By Default", "New folder", "Choose..", "Default",
        "Click continue         >>>>"};
    for (const auto& [flag, captions] : std::vector<Case>{{6, french},
                                                          {1, english},
                                                          {2, english},
                                                          {3, english},
                                                          {4, english},
                                                          {5, english},
                                                          {0, french}}) {
        Assistant a;
        if (flag == 0) {
            a.page2();
            a.press(a.page1().flag(6));
            a.click(a.page1().C1);
        } else {
            a.toFolderPage(flag);
        }
        Fassist2& p = a.page2();
        EXPECT_EQ(
            (std::vector<std::string>{p.Label1.caption(), p.Frame1.caption(), p.Frame2.caption(),
                                      p.Cv.caption(), p.Cv2.caption(), p.Label4.caption()}),
            captions)
            << flag;
        EXPECT_EQ(p.Label3.caption(), a.fond());
    }
}

TEST(Assistant, TheFolderBrowserFillsTheFolderPage) {
    Assistant a;
    const std::string pictures = a.t.pictureFolder({"a.png"});
    a.toFolderPage();
    a.run([&] { a.page2().Cv.click(); });
    Form4& browser = a.app().form<Form4>();
    EXPECT_TRUE(browser.visible());
    EXPECT_EQ(browser.backColor(), forms::rgb(0, 0, 255));
    a.run([&] { browser.Command1.click(); });
    EXPECT_EQ(a.page2().T.text(), a.app().runtime().files().systemDrive())
        << "the root shown first, confirmed";
    EXPECT_TRUE(a.page2().C1.enabled()) << "a confirmed folder always lets the page go on";

    a.run([&] { browser.show(); });
    a.run([&] { browser.Dir1.setPath(a.t.folder.file("pics")); });
    a.run([&] { browser.Command1.click(); });
    EXPECT_FALSE(browser.visible());
    EXPECT_EQ(a.page2().T.text(), pictures);
    a.click(a.page2().C1);
    EXPECT_EQ(a.app().AssistFolder, pictures);
}

// The keys of the last page's writes, in its order.
const std::vector<std::pair<std::string, std::string>> kWrittenKeys = {
    {"Start", "Win"},   {"OPTION", "Folder"}, {"OPTION", "Delay"},     {"OPTION", "Affichage"},
    {"Start", "First"}, {"OPTION", "Aspect"}, {"OPTION", "Wallpaper"}, {"OPTION", "Lang"}};

// "Key=value" (or "Key removed") for each version of the file, by what changed from the last.
std::vector<std::string> changes(std::string before, const std::vector<std::string>& versions) {
    std::vector<std::string> found;
    for (const std::string& after : versions) {
        for (const auto& [section, key] : kWrittenKeys) {
            const auto was = ini::read(before, section, key), now = ini::read(after, section, key);
            if (was != now) found.push_back(key + (now ? "=" + *now : " removed"));
        }
        before = after;
    }
    return found;
}

TEST(Assistant, ContinueWritesTheEightSettingsInOrderAndStartsNormalOperation) {
    // No stored change mode: the page writes the empty one it holds.
    Assistant a("[OPTION]\nFolder=Null\nLang=EN\nDelay=0\n[Start]\nWin=0\nFirst=1\n");
    a.toSettingsPage(3);
    a.run([&] { a.page3().Check1.click(); });
    // Every key differs from what is written, so that each write shows.
    const std::string old =
        "[OPTION]\nFolder=old\nWallpaper=old\nLang=old\nAffichage=old\nAspect=old\nDelay=old\n"
        "[Start]\nWin=old\nFirst=old\n";
    a.t.writeIni(old);
    const std::size_t from = a.store.written.size();
    a.click(a.page3().C1);
    const std::vector<std::string> versions(
        a.store.written.begin() + static_cast<std::ptrdiff_t>(from), a.store.written.end());
    EXPECT_EQ(changes(old, versions),
              (std::vector<std::string>{"Win=1", "Folder=" + a.fond(), "Delay=1", "Affichage=",
                                        "First=0", "Aspect=0", "Wallpaper=Null", "Lang=JP"}));
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
    struct Case {
        std::string name;
        std::function<void(Fassist3&)> choose;
        std::string delay, mode, aspect;
    };
    for (const auto& [name, choose, delay, mode, aspect] : std::vector<Case>{
             {"5 minutes", [](Fassist3& p) { p.Combo1.setListIndex(4); }, "300", "1", "2"},
             {"no change after a delay",
              [](Fassist3& p) {
                  p.Option1[0].select();
                  p.Combo1.setListIndex(3);
                  p.Option1[1].select();
              },
              "0", "2", "2"},
             {"auto after no change",
              [](Fassist3& p) {
                  p.Combo1.setListIndex(2);
                  p.Option1[1].select();
                  p.Option1[0].select();
              },
              "30", "1", "2"},
             {"Mosaik",
              [](Fassist3& p) {
                  p.Combo2.setText("Mosaik");
                  p.Check1.click();
              },
              "1", "1", "1"},
             {"mosaic",
              [](Fassist3& p) {
                  p.Combo2.setListIndex(0);
                  p.Combo2.setText("mosaic");
                  p.Check1.click();
              },
              "1", "1", "0"}}) {
        Assistant a(automatic);
        a.toSettingsPage(2);
        a.run([&] { choose(a.page3()); });
        a.click(a.page3().C1);
        const std::string ini = a.t.ini();
        EXPECT_EQ(ini::read(ini, "OPTION", "Delay"), delay) << name;
        EXPECT_EQ(ini::read(ini, "OPTION", "Affichage"), mode) << name;
        EXPECT_EQ(ini::read(ini, "OPTION", "Aspect"), aspect) << name;
        EXPECT_EQ(ini::read(ini, "OPTION", "Lang"), "DE") << name;
    }

    Assistant a(automatic);
    a.toSettingsPage();
    Fsuite& counter = a.app().form<Fsuite>();
    EXPECT_TRUE(counter.T01.isEnabled());
    a.run([&] { a.page3().Option1[1].select(); });
    EXPECT_FALSE(counter.T01.isEnabled()) << "no change stops the counting at once";
}

}  // namespace
}  // namespace korvo
