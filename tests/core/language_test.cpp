// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The stored language on the windows: captions, flag, fonts, the about box's text, and the order
// of the runs that load windows from inside a language change.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fixture.h"
#include "ui/about/fabout.h"
#include "ui/assistant/fassist1.h"
#include "ui/assistant/fassist2.h"
#include "ui/assistant/fassist3.h"
#include "ui/main/form1.h"
#include "ui/options/foption.h"
#include "ui/options/form3.h"

namespace korvo {
namespace {

struct Languages : ::testing::Test {
    testing::TestProgram t;
    Languages() { t.app().services().systemName = "Linux"; }

    void startIn(const std::string& lang) {
        t.writeIni("[OPTION]\r\nLang=" + lang + "\r\nFolder=Null\r\n[Start]\r\nFirst=0\r\n");
        t.start();
    }
    void apply(const std::string& lang) {
        t.app().WriteSetting("OPTION", "Lang", lang);
        t.app().runtime().dispatch([&] { t.app().ApplyLanguage(); });
    }
    // The caption of "Form.Control" on the loaded windows.
    std::string caption(const std::string& target) {
        const std::size_t dot = target.find('.');
        for (forms::Form* form : t.app().runtime().forms())
            for (forms::Control* c : form->controls())
                if (form->name() == target.substr(0, dot) && c->name() == target.substr(dot + 1))
                    return c->caption();
        return "no " + target;
    }
    // Every caption and font of every loaded window, to compare two moments.
    std::vector<std::string> looks() {
        std::vector<std::string> all;
        for (forms::Form* form : t.app().runtime().forms()) {
            all.push_back(form->name() + ":" + form->caption() + ":" + form->font().name);
            for (forms::Control* c : form->controls()) {
                all.push_back(c->name() + ":" + c->caption());
                if (c->hasFont())
                    all.back() += ":" + c->font().name + ":" + std::to_string(c->font().size) +
                                  ":" + std::to_string(c->font().charset);
            }
        }
        return all;
    }
};

TEST_F(Languages, EachSetPutsItsTitleFlagAndButtonOnItsTargetsAndNothingElse) {
    const struct {
        const char *code, *title;
        int flag, button;
    } cases[] = {{"FR", "Option d'Korvo", 0, 1},   {"EN", "Korvo Option", 1, 0},
                 {"DE", "Korvo Wahl", 2, 2},       {"JP", "Korvo Option", 3, 3},
                 {"ESP", "Opcion de Korvo", 4, 4}, {"CHN", "Korvo Option", 5, 5}};
    startIn("EN");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        apply(c.code);
        Foption& options = t.app().form<Foption>();
        EXPECT_EQ(options.caption(), c.title);
        EXPECT_EQ(t.app().form<Form1>().Idr.picture()->source,
                  ":flags/" + std::to_string(c.flag) + ".png");
        EXPECT_EQ(t.app().CurrentLang, c.code);
        EXPECT_TRUE(options.Option2[c.button].value());
        EXPECT_EQ(options.Frame4.caption(), "Language") << "a caption no set touches";
    }
}

// The cells a slip would break, as the windows show them: the German "O.K." and French default
// button, the Spanish frames, the English "Cancel" of the Chinese set, accents, doubled marks, a
// quote, the blank after "Korvo", and both log-on boxes naming the system Korvo runs on.
TEST_F(Languages, TheDelicateCellsReachTheirWindowsExactly) {
    const struct {
        const char *code, *target, *text;
    } cells[] = {
        {"FR", "Form1.ApK", "Appliquer"},
        {"FR", "Form1.Quitter", "Quitter"},
        {"FR", "Foption.Frame3", "Répertoire des fonds d'écrans!"},
        {"FR", "Foption.Command3", "Annulé"},
        {"FR", "Fassist3.Check1", "Démarrer Korvo avec Linux"},
        {"EN", "Foption.Frame5", "Place in the desktop??"},
        {"DE", "Foption.Command2", "O.K."},
        {"DE", "Foption.Command3", "Löschen"},
        {"DE", "Foption.Command5", "par défaut"},
        {"DE", "Foption.Check1", "Beginnen Sie Korvo mit Linux"},
        {"DE", "Fassist3.Check1", "Beginnen Sie Korvo mit Linux"},
        {"JP", "Foption.Command3", "キャンセル"},
        {"JP", "Foption.Frame5", "デスクトップ上での位置"},
        {"ESP", "Foption.Frame3", "!Directorio del Wallpapers!"},
        {"ESP", "Foption.Frame1", "Plazo de las visualizaciones:"},
        {"ESP", "Foption.Frame5", "Propiedad imagen??"},
        {"CHN", "Foption.Command3", "Cancel"},
        {"CHN", "Form1.ApK", "申请\""},
        {"CHN", "Foption.Check1", "开始Korvo 与Linux"},
    };
    startIn("EN");
    std::string applied;
    for (const auto& [code, target, text] : cells) {
        if (code != applied) apply(applied = code);
        EXPECT_EQ(caption(target), text) << code << " " << target;
    }
}

TEST_F(Languages, FontsFollowTheCharacterSetOfTheLanguage) {
    startIn("DE");
    const auto uiFonts = [&](int charset) {
        for (forms::Form* form : std::vector<forms::Form*>{
                 &t.app().form<Form1>(), &t.app().form<Fassist1>(), &t.app().form<Fassist2>(),
                 &t.app().form<Fassist3>(), &t.app().form<Foption>(), &t.app().form<Fabout>()})
            for (forms::Control* c : form->controls()) {
                if (!c->hasFont()) continue;
                const forms::Font& f = c->font();
                EXPECT_EQ(f.name + " " + std::to_string(f.size) + " " + std::to_string(f.charset),
                          "MS UI Gothic 9.750000 " + std::to_string(charset))
                    << form->name() << "." << c->name();
            }
    };
    uiFonts(0);
    Form3& hidden = t.app().form<Form3>();
    EXPECT_EQ(hidden.Label1.font(), forms::Font{}) << "the option form keeps its fonts";
    apply("CHN");
    uiFonts(128);

    apply("ESP");
    EXPECT_EQ(hidden.Label1.font(), (forms::Font{"MS Sans Serif", 8.25, 0}));
    EXPECT_EQ(hidden.Option1[0].font(), forms::Font{}) << "not on the list";
    EXPECT_EQ(hidden.font().name, "MS Sans Serif");
    EXPECT_EQ(t.app().form<Fabout>().Label1.font().charset, 128)
        << "the Japanese routine runs last";
}

TEST_F(Languages, AStartInALanguageLoadsTheWindowsItNeedsAndASecondRunChangesNothing) {
    // The font routine loads the about box, whose loading applies the language again inside the
    // first run: the inner run completes, and the outer one ends the same.
    const std::string japanese =
        "本ソフトの複製・改変は GNU GPL（第3版以降）の許諾の範囲でのみ認められます。\r\n"
        "Copyright (C) 2004 the Korvo developers. Free software under the GNU GPL, version 3 or "
        "later.\r\n権利侵害サイトはお知らせください。";
    startIn("JP");
    EXPECT_TRUE(t.app().isLoaded<Fabout>());
    EXPECT_EQ(t.app().form<Fabout>().Label1.caption(), japanese);
    EXPECT_EQ(t.app().form<Form1>().ApK.caption(), "適用");
    const auto before = looks();
    apply("JP");
    EXPECT_EQ(looks(), before);

    apply("jp");  // no code: nothing changes, and the language stays
    EXPECT_EQ(looks(), before);
    EXPECT_EQ(t.app().CurrentLang, "JP");
    EXPECT_EQ(t.app().AboutText, japanese);
}

// The about box's text is the one the language gave when the box was loaded.
struct About : Languages {};

TEST_F(About, EachLanguagesTextShowsOnceTheBoxIsClosedAndLoadedAgain) {
    // The author, or for Japanese the reproduction notice.
    const std::pair<const char*, const char*> texts[] = {
        {"FR", "développeurs de Korvo"}, {"EN", "webmasters"}, {"DE", "webmasters"},
        {"ESP", "webmasters"},           {"JP", "複製"},       {"CHN", "Korvo 开发者"}};
    startIn("EN");
    for (const auto& [lang, has] : texts) {
        const std::string before = t.app().form<Fabout>().Label1.caption();
        apply(lang);
        EXPECT_EQ(t.app().form<Fabout>().Label1.caption(), before) << "a loaded box keeps it";
        t.app().runtime().dispatch([&] { t.app().form<Fabout>().requestClose(); });
        EXPECT_FALSE(t.app().isLoaded<Fabout>());
        Fabout& box = t.app().form<Fabout>();
        EXPECT_NE(box.Label1.caption().find(has), std::string::npos) << lang;
        EXPECT_EQ(box.caption(), "About of Korvo") << lang;
    }
}

TEST_F(About, OnlyTheAddressOpensTheHomePage) {
    startIn("EN");
    Fabout& box = t.app().form<Fabout>();
    for (forms::Control* control : box.controls())
        if (control != &box.Label3) control->pointerClick();
    box.mouseDown({});
    box.Label3.mouseDown({});
    const std::string guide = HomePageAddress(t.app());
    EXPECT_FALSE(t.window.called("open " + guide)) << "a press alone is no click";
    box.Label3.pointerClick();
    EXPECT_TRUE(t.window.called("open " + guide));
    // No address named by the build: the guide beside the program, a page every install has.
    EXPECT_EQ(box.Label3.caption(), "Korvo's user guide");
    EXPECT_EQ(guide.rfind("file://", 0), 0U) << guide;
    EXPECT_EQ(guide.substr(guide.size() - 11), "/guide.html") << guide;
    t.app().services().programFolder = "C:\\Program Files\\Korvo \xC3\xA9";
    EXPECT_EQ(HomePageAddress(t.app()), "file:///C:/Program%20Files/Korvo%20%C3%A9/guide.html");
}

}  // namespace
}  // namespace korvo
