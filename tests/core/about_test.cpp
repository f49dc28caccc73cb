#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

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
    // The author, or for Japanese the reproduction notice; each text's number of line breaks.
    for (const auto& [lang, has, breaks] :
         {std::tuple{"FR", "développeurs de Korvo", 1}, std::tuple{"EN", "webmasters", 1},
          std::tuple{"DE", "webmasters", 1}, std::tuple{"ESP", "webmasters", 1},
          std::tuple{"JP", "複製", 2}, std::tuple{"CHN", "Korvo 开发者", 1}}) {
        AboutBox about(lang);
        const std::string text = about.box().Label1.caption();
        EXPECT_EQ(about.box().caption(), "About of Korvo") << lang;
        EXPECT_EQ(text, about.t.app().AboutText) << lang;
        EXPECT_NE(text.find(has), std::string::npos) << lang;
        EXPECT_EQ(std::ranges::count(text, '\n'), breaks) << lang;
        EXPECT_EQ(text.find(rights) == std::string::npos, lang == std::string("CHN")) << lang;
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
