// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Every caption of every window Korvo shows, in every language, measured with the fonts the Qt
// binding draws in against the room its design gives it.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QWidget>
#include <algorithm>
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
#include "ui/forms/qt/convert.h"
#include "ui/forms/qt/style.h"
#include "ui/main/form1.h"
#include "ui/options/foption.h"
#include "ui/options/form4.h"

namespace korvo::qt::test {
namespace {

// A caption as drawn: "&x" shows x, "&&" one ampersand.
QString shown(const std::string& caption) {
    const QString text = qtext(caption);
    QString drawn;
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (text[at] == '&' && at + 1 < text.size()) ++at;
        drawn += text[at];
    }
    return drawn;
}

// How many pixels a control's caption needs beyond the room its widget gives it (0 when it
// fits), and whether a label has more lines than its height holds. A label is wrapped by Qt's
// own text layout, as it draws it; the others show one line beside what the style draws.
struct Overflow {
    int pixels = 0;
    bool tall = false;
};

Overflow overflowOf(const forms::Control& control, const QWidget& widget) {
    const QFontMetricsF metrics(widget.font());
    const QString caption = shown(control.caption());
    const auto beyond = [](qreal needed, qreal room) {
        return std::max(0, static_cast<int>(std::ceil(needed - room)));
    };
    int room = widget.width();
    switch (control.kind()) {
        case forms::ControlKind::Label: {
            const QRectF wrapped =
                metrics.boundingRect(QRectF(0, 0, room, 1 << 20), Qt::TextWordWrap, caption);
            if (wrapped.width() > room) return {beyond(wrapped.width(), room), false};
            // One line may be cut at the foot; a second line must fit whole.
            const qreal height = std::max<qreal>(widget.height(), metrics.height());
            return {beyond(wrapped.height(), height), wrapped.height() > height};
        }
        case forms::ControlKind::CommandButton:
            room -= 2 * (ButtonBevel + ButtonTextMargin);
            break;
        case forms::ControlKind::OptionButton:
        case forms::ControlKind::CheckBox:
            room -= IndicatorSize + IndicatorGap;
            // Narrower than its first letter: the design shows the circle alone.
            if (room < metrics.horizontalAdvance(caption.left(1))) return {};
            break;
        case forms::ControlKind::Frame:
            room -= FrameCaptionIndent + 2 * FrameCaptionGap + FrameEdge;
            break;
        default:
            return {};  // text boxes and lists show data, not a caption of the design
    }
    return {beyond(metrics.horizontalAdvance(caption), room), false};
}

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
    QtProgram program(settingsWith("Null", "EN", "0"));
    program.start();
    Program& app = program.app();
    std::set<Known> seen;
    for (const char* code : LanguageCodes) {
        testing::showInLanguage(app, code);
        // The hint under the folder page's buttons shows once a folder is taken.
        app.runtime().dispatch([&] { app.form<Fassist2>().Label4.setVisible(true); });
        for (const char* name : testing::shownForms()) {
            forms::Form* form = testing::loadedForm(app, name);
            ASSERT_NE(form, nullptr) << name;
            // Measured as drawn: a form gets its window when it is shown.
            app.runtime().dispatch([form] { form->show(); });
            QWidget* window = program.view().window(*form);
            ASSERT_NE(window, nullptr);
            for (const forms::Control* control : form->controls()) {
                const QWidget* widget = program.view().widget(*control);
                if (!widget || control->caption().empty()) continue;
                const Overflow over = overflowOf(*control, *widget);
                if (over.pixels == 0) continue;
                const Known key{form->name(), controlName(*control), code};
                seen.insert(key);
                if (kKnown.count(key)) continue;
                ADD_FAILURE() << form->name() << "." << controlName(*control) << " in " << code
                              << ": \"" << control->caption() << "\" is " << over.pixels
                              << " px too " << (over.tall ? "tall" : "wide");
            }
        }
    }
    for (const Known& known : kKnown)
        EXPECT_TRUE(seen.count(known)) << std::get<0>(known) << "." << std::get<1>(known) << " in "
                                       << std::get<2>(known) << " fits now: not known any more";
}

}  // namespace
}  // namespace korvo::qt::test
