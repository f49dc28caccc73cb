#include <gtest/gtest.h>

#include "support/fixture.h"
#include "ui/about/fabout.h"

namespace korvo {
namespace {

struct AboutBox {
    testing::TestProgram t;
    explicit AboutBox(const std::string& lang) {
        setLanguage(lang);
        t.start();
    }
    void setLanguage(const std::string& lang) {
        t.writeIni("[OPTION]\nFolder=Null\nWallpaper=Null\nLang=" + lang +
                   "\nAffichage=2\nAspect=0\nTime=Null\nDelay=0\n[Start]\nWin=2\nFirst=0\n");
    }
    Fabout& box() { return t.app().form<Fabout>(); }
};

TEST(About, EachLanguageShowsItsTextUnderTheSameTitle) {
    const std::string rights = "\r\nCopyright (C) 2004 the Korvo developers. All rights reserved.";
    struct Case {
        const char* lang;
        const char* has;  // the author, or for Japanese the reproduction notice
        int lineBreaks;
    };
    for (const Case& c : {Case{"FR", "développeurs de Korvo", 1}, Case{"EN", "webmasters", 1},
                          Case{"DE", "webmasters", 1}, Case{"ESP", "webmasters", 1},
                          Case{"JP", "複製", 2}, Case{"CHN", "Korvo 开发者", 1}}) {
        AboutBox about(c.lang);
        const std::string text = about.box().Label1.caption();
        EXPECT_EQ(about.box().caption(), "About of Korvo") << c.lang;
        EXPECT_EQ(text, about.t.app().AboutText) << c.lang;
        EXPECT_NE(text.find(c.has), std::string::npos) << c.lang;
        int breaks = 0;
        for (auto at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
            ++breaks;
        EXPECT_EQ(breaks, c.lineBreaks) << c.lang;
        EXPECT_EQ(text.find(rights) == std::string::npos, c.lang == std::string("CHN")) << c.lang;
    }
}

TEST(About, AnInvalidLanguageLeavesTheTextAsItWas) {
    AboutBox about("fr");
    EXPECT_EQ(about.box().Label1.caption(), "") << "never set in this process";
    about.t.app().AboutText = "earlier";
    about.t.app().ApplyLanguage();
    EXPECT_EQ(about.t.app().AboutText, "earlier");
}

TEST(About, ClosedByItsCloseBoxTheBoxReloadsInTheThenStoredLanguage) {
    AboutBox about("FR");
    Program& app = about.t.app();
    const std::string french = about.box().Label1.caption();
    about.setLanguage("EN");
    app.ApplyLanguage();
    EXPECT_EQ(about.box().Label1.caption(), french) << "a loaded box keeps its text";
    app.runtime().dispatch([&] { about.box().requestClose(); });
    EXPECT_FALSE(app.isLoaded<Fabout>());
    EXPECT_NE(about.box().Label1.caption(), french);
}

TEST(About, OnlyTheAddressOpensTheHomePage) {
    AboutBox about("EN");
    Fabout& box = about.box();
    for (forms::Control* control : box.controls())
        if (control != &box.Label3) control->mouseDown({});
    box.mouseDown({});
    EXPECT_FALSE(about.t.window.called("open " + HomePageAddress()));
    box.Label3.mouseDown({});
    EXPECT_TRUE(about.t.window.called("open " + HomePageAddress()));
}

}  // namespace
}  // namespace korvo
