// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Every caption of every window Korvo shows, in every language, measured with the fonts the Qt
// binding draws in against the room its design gives it.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QWidget>
#include <cmath>
#include <set>
#include <sstream>
#include <string>
#include <tuple>

#include "app/program.h"
#include "i18n/language.h"
#include "qt_program.h"
#include "ui/about/fabout.h"
#include "ui/assistant/fassist1.h"
#include "ui/assistant/fassist2.h"
#include "ui/assistant/fassist3.h"
#include "ui/forms/caption_fit.h"
#include "ui/forms/qt/convert.h"
#include "ui/forms/qt/style.h"
#include "ui/main/form1.h"
#include "ui/options/foption.h"
#include "ui/options/form4.h"

namespace korvo::qt::test {
namespace {

// The fonts of the widgets the binding made.
class WidgetMetrics final : public forms::TextMetrics {
  public:
    explicit WidgetMetrics(const View& view) : view_(view) {}
    int width(const forms::Control& control, const std::string& line) const override {
        return static_cast<int>(std::ceil(metrics(control).horizontalAdvance(qtext(line))));
    }
    int lineHeight(const forms::Control& control) const override {
        return static_cast<int>(std::ceil(metrics(control).height()));
    }

  private:
    QFontMetricsF metrics(const forms::Control& control) const {
        return QFontMetricsF(view_.widget(control)->font());
    }
    const View& view_;
};

std::string controlName(const forms::Control& control) {
    return control.index() < 0 ? control.name()
                               : control.name() + "(" + std::to_string(control.index()) + ")";
}

// Captions wider than their design even in Arial's widths (Liberation Sans), or, in Japanese, at
// a whole em a character: form, control, language.
using Known = std::tuple<std::string, std::string, std::string>;
const std::set<Known> kKnown = {
    // The hint under the folder page's buttons, padded with blanks up to its arrows.
    {"Fassist2", "Label4", "EN"},
    {"Fassist2", "Label4", "FR"},
    {"Fassist2", "Label4", "DE"},
    {"Fassist2", "Label4", "JP"},
    {"Fassist2", "Label4", "ESP"},
    {"Fassist2", "Label4", "CHN"},
    // The options dialog's narrow display-style frame and its delay frame.
    {"Foption", "Frame5", "EN"},   // "Place in the desktop??"
    {"Foption", "Frame5", "DE"},   // "Platz im Schreibtisch??"
    {"Foption", "Frame5", "ESP"},  // "Propiedad imagen??"
    {"Foption", "Frame5", "JP"},   // eleven characters of 13 pixels
    {"Foption", "Frame1", "ESP"},  // "Plazo de las visualizaciones:"
};

TEST(QtCaptions, EveryCaptionFitsItsDesignInEveryLanguage) {
    QtProgram program(settingsWith("Null", "0"));
    program.start();
    Program& app = program.app();
    std::set<Known> seen;
    for (const char* code : LanguageCodes) {
        std::vector<forms::Form*> windows;
        app.runtime().dispatch([&] {
            app.WriteSetting("OPTION", "Lang", code);
            app.ApplyLanguage();
            // The about box takes the language's text when it loads; the folder page its
            // captions when the first page hands the pick on.
            if (app.isLoaded<Fabout>()) app.form<Fabout>().unload();
            app.AssistLang = code;
            app.form<Fassist2>().SetCaptions();
            app.form<Fassist2>().Label4.setVisible(true);
            windows = {&app.form<Form1>(),    &app.form<Foption>(),  &app.form<Fabout>(),
                       &app.form<Fassist1>(), &app.form<Fassist2>(), &app.form<Fassist3>(),
                       &app.form<Form5>(),    &app.form<Form4>()};
        });
        for (forms::Form* form : windows) {
            QWidget* window = program.view().window(*form);
            ASSERT_NE(window, nullptr);
            const WidgetMetrics metrics(program.view());
            for (const forms::CaptionOverflow& overflow : forms::captionOverflows(
                     *form, app.services().window.twipsPerPixelX(), captionChrome(), metrics)) {
                const Known key{form->name(), controlName(*overflow.control), code};
                seen.insert(key);
                if (kKnown.count(key)) continue;
                ADD_FAILURE() << form->name() << "." << controlName(*overflow.control) << " in "
                              << code << ": \"" << overflow.caption << "\" is " << overflow.pixels
                              << " px too " << (overflow.tooTall ? "tall" : "wide");
            }
        }
    }
    for (const Known& known : kKnown)
        EXPECT_TRUE(seen.count(known)) << std::get<0>(known) << "." << std::get<1>(known) << " in "
                                       << std::get<2>(known) << " fits now: not known any more";
}

}  // namespace
}  // namespace korvo::qt::test
