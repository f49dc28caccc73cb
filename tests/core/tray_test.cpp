// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <algorithm>

#include "support/fixture.h"
#include "ui/main/form1.h"
#include "ui/options/foption.h"

namespace korvo {
namespace {

struct Tray : ::testing::Test {
    testing::TestProgram t;
    std::string pics = t.pictureFolder({"a", "b", "c"});

    Program& app() { return t.app(); }
    Form1& main() { return app().form<Form1>(); }
    void start(const std::string& mode = "2", const std::string& delay = "0") {
        t.writeIni("[OPTION]\nFolder=" + pics + "\nWallpaper=Null\nLang=FR\nAffichage=" + mode +
                   "\nAspect=1\nTime=Null\nDelay=" + delay + "\n[Start]\nWin=2\nFirst=0\n");
        t.start();
    }
    // A notification from the icon: the mouse message in place of X, in twips.
    void notify(int message) {
        const float x = static_cast<float>(message * t.window.twipsPerPixel);
        app().runtime().dispatch([&] { main().mouseMove(forms::MouseEvent{0, 0, x, 0}); });
    }
    void choose(const std::string& item) {
        t.window.pick = item;
        notify(0x202);
    }
    long popups() const { return std::ranges::count(t.window.calls, std::string(MenuPopup)); }
    static constexpr const char* MenuPopup = "popup Form1 MnuFichier default=MnuInfo";
};

TEST_F(Tray, OnlyAReleasedLeftOrRightButtonOpensTheMenu) {
    start();
    for (const int twips : {15, 12}) {
        t.window.twipsPerPixel = twips;
        for (int pixel = 0; pixel <= 423; ++pixel) notify(pixel);  // moves over the window
        // Presses, double clicks and the middle button.
        for (const int message : {0x200, 0x201, 0x203, 0x204, 0x206, 0x207, 0x208, 0x209})
            notify(message);
    }
    EXPECT_EQ(popups(), 0);
    notify(0x202);
    notify(0x205);
    EXPECT_EQ(popups(), 2) << "each opens the menu, the default item in bold";
}

TEST_F(Tray, OptionsShowsTheDialogAsLeftWhileTheButtonReloadsIt) {
    start();
    main().Coption.click();
    Foption& options = app().form<Foption>();
    options.Option3[2].select();  // not confirmed
    options.hide();
    choose("MnuOptions");
    EXPECT_TRUE(options.visible() && options.Option3[2].value()) << "shown as the dialog held it";
    options.hide();
    main().Coption.click();
    EXPECT_TRUE(options.Option3[1].value()) << "the button reloads the stored style";
}

TEST_F(Tray, QuitEndsAtOnceWithoutWritingWhatTheDialogHolds) {
    start();
    main().Coption.click();
    app().form<Foption>().Option3[2].select();
    const std::string before = t.ini();
    choose("MnuQuitter");
    EXPECT_TRUE(app().runtime().ended() && t.window.ended && t.window.called("tray- Form1"));
    EXPECT_EQ(t.ini(), before);
}

TEST_F(Tray, WhileTheMenuIsOpenTheClockKeepsItsTimeAndNotificationsAreIgnored) {
    start("0", "5");  // changes at 4, 9, 14 s
    t.window.whilePopupOpen = [&](forms::Menu&) {
        t.scheduler.advanceSeconds(12);
        notify(0x205);
    };
    notify(0x202);
    EXPECT_EQ(popups(), 1);
    EXPECT_EQ(t.appliedPaths(), (std::vector<std::string>{pics + "a", pics + "b"}));
    t.window.whilePopupOpen = nullptr;
    t.scheduler.advanceSeconds(2);
    EXPECT_EQ(t.appliedPaths().size(), 3u) << "and goes on on time after it has closed";
    notify(0x202);
    EXPECT_EQ(popups(), 2) << "open again once the menu has closed";
}

// Stock GNOME has no tray: a hidden window would leave a process nobody can reach.
TEST(WithoutATray, TheCloseQuitsAndTheFirstHideTellsHowToComeBack) {
    for (const bool tray : {true, false}) {
        testing::TestProgram t;
        t.window.tray = tray;
        t.writeIni("[OPTION]\nFolder=" + t.pictureFolder({"a"}) +
                   "\nLang=FR\nAffichage=2\n[Start]\nWin=2\nFirst=0\n");
        t.start();
        Form1& main = t.app().form<Form1>();
        main.Quitter.click();
        main.show();
        main.Cbas.click();
        EXPECT_EQ(std::ranges::count(t.window.calls, "notice Korvo fonctionne toujours"),
                  tray ? 0 : 1)
            << "once a session, in the stored language";
        main.show();
        const std::string before = t.ini();
        t.app().runtime().dispatch([&] { main.requestClose(); });
        EXPECT_EQ(t.app().runtime().ended(), !tray);
        EXPECT_FALSE(main.visible());
        EXPECT_EQ(t.window.called("tray- Form1"), !tray) << "the icon goes as Quit takes it";
        EXPECT_EQ(t.ini(), before);
    }
}

}  // namespace
}  // namespace korvo
