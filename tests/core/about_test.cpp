#include <gtest/gtest.h>

#include "support/fixture.h"
#include "ui/about/fabout.h"

namespace korvo {
namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
        result.push_back(text.substr(from, at - from));
    result.push_back(text.substr(from));
    return result;
}

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
    const std::string rights = "Copyright (C) 2004 the Korvo developers. All rights reserved.";
    struct Case {
        const char* lang;
        std::size_t lines;
        const char* firstLineHas;  // the author, or for Japanese the reproduction notice
        bool englishRights;
    };
    const Case cases[] = {{"FR", 2, "développeurs de Korvo", true},
                          {"EN", 2, "the Korvo developers", true},
                          {"DE", 2, "the Korvo developers", true},
                          {"ESP", 2, "the Korvo developers", true},
                          {"JP", 3, "複製", true},
                          {"CHN", 2, "Korvo 开发者", false}};
    for (const Case& c : cases) {
        AboutBox about(c.lang);
        Fabout& box = about.box();
        EXPECT_EQ(box.caption(), "About of Korvo") << c.lang;
        EXPECT_EQ(box.Label2.caption(), "Korvo01-2004-12");
        EXPECT_EQ(box.Label3.caption(), HomePageAddress());
        EXPECT_EQ(box.Label1.caption(), about.t.app().AboutText);
        const auto text = lines(box.Label1.caption());
        ASSERT_EQ(text.size(), c.lines) << c.lang;
        EXPECT_NE(text[0].find(c.firstLineHas), std::string::npos) << c.lang;
        EXPECT_EQ(text[1] == rights, c.englishRights) << c.lang;
        for (const auto& line : text) EXPECT_FALSE(line.empty()) << c.lang;
        const bool english = std::string(c.lang) == "EN" || c.lang == std::string("DE") ||
                             c.lang == std::string("ESP");
        EXPECT_EQ(text[0].back() == ' ', english) << "trailing blanks: English only, " << c.lang;
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
    EXPECT_EQ(about.box().Label1.caption(), app.AboutText);
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
