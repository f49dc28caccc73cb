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
        t.writeIni("[OPTION]\nFolder=Null\nLang=" + lang + "\nAffichage=2\n[Start]\nFirst=0\n");
    }
    Fabout& box() { return t.app().form<Fabout>(); }
};

TEST(About, EachLanguageShowsItsTextUnderTheSameTitle) {
    // The author, or for Japanese the reproduction notice.
    for (const auto& [lang, has] :
         {std::pair{"FR", "développeurs de Korvo"}, std::pair{"EN", "webmasters"},
          std::pair{"DE", "webmasters"}, std::pair{"ESP", "webmasters"}, std::pair{"JP", "複製"},
          std::pair{"CHN", "Korvo 开发者"}}) {
        AboutBox about(lang);
        const std::string text = about.box().Label1.caption();
        EXPECT_EQ(about.box().caption(), "About of Korvo") << lang;
        EXPECT_EQ(text, about.t.app().AboutText) << lang;
        EXPECT_NE(text.find(has), std::string::npos) << lang;
    }
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
