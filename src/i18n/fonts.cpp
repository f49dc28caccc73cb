// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "i18n/fonts.h"

#include <functional>

#include "app/program.h"
#include "base/text.h"
#include "i18n/font_tables.h"
#include "ui/about/fabout.h"
#include "ui/assistant/fassist1.h"
#include "ui/assistant/fassist2.h"
#include "ui/assistant/fassist3.h"
#include "ui/forms/errors.h"
#include "ui/main/form1.h"
#include "ui/options/foption.h"
#include "ui/options/form3.h"

namespace korvo {

namespace {

// The windows the font tables name, loaded (hidden) on first touch.
forms::Form& formNamed(Program& app, std::string_view name) {
    using Loader = std::function<forms::Form&()>;
    const std::pair<std::string_view, Loader> forms[] = {
        {"Form1", [&]() -> forms::Form& { return app.form<Form1>(); }},
        {"Form3", [&]() -> forms::Form& { return app.form<Form3>(); }},
        {"Foption", [&]() -> forms::Form& { return app.form<Foption>(); }},
        {"Fabout", [&]() -> forms::Form& { return app.form<Fabout>(); }},
        {"Fassist1", [&]() -> forms::Form& { return app.form<Fassist1>(); }},
        {"Fassist2", [&]() -> forms::Form& { return app.form<Fassist2>(); }},
        {"Fassist3", [&]() -> forms::Form& { return app.form<Fassist3>(); }},
    };
    for (const auto& [formName, load] : forms)
        if (formName == name) return load();
    throw forms::Error(forms::ErrorCode::ObjectRequired, "No such window: " + std::string(name));
}

// The control of a font target, or nullptr for the form's own font.
forms::Control* controlNamed(forms::Form& form, std::string_view name, int index) {
    for (forms::Control* control : form.controls())
        if (control->name() == name && control->index() == index) return control;
    throw forms::Error(forms::ErrorCode::ObjectRequired, "No such control: " + std::string(name));
}

// One change of one font: the face, the size or the character set alone, as the routines make
// them one after another.
void changeFont(forms::Control& control, const std::function<void(forms::Font&)>& change) {
    forms::Font font = control.font();
    change(font);
    control.setFont(font);
}

void setUIFonts(Program& app, const i18n::UIFontRoutine& routine) {
    for (std::string_view name : routine.forms) {
        forms::Form* form = nullptr;
        forms::ignoringErrors({[&] { form = &formNamed(app, name); }});
        if (!form) continue;
        for (forms::Control* control : form->controls()) {
            forms::ignoringErrors({
                [&] { changeFont(*control, [&](forms::Font& f) { f.name = routine.face; }); },
                [&] {
                    // A size the number format cannot read leaves the size as it was.
                    const auto size = text::asNumber(std::string(routine.size));
                    if (!size) return;
                    changeFont(*control, [&](forms::Font& f) { f.size = *size; });
                },
                [&] { changeFont(*control, [&](forms::Font& f) { f.charset = routine.charset; }); },
            });
        }
    }
}

}  // namespace

void SelectUIFonts(Program& app, const std::string& code) {
    if (const i18n::UIFontRoutine* routine = i18n::uiFontsFor(code)) setUIFonts(app, *routine);
}

void SetUIFontsWestern(Program& app) {
    setUIFonts(app, i18n::kWesternFonts);
}

void SetUIFontsJapanese(Program& app) {
    setUIFonts(app, i18n::kJapaneseFonts);
}

void SetLatinFonts(Program& app) {
    app.LatinFontName = std::string(i18n::kLatinFace);
    app.LatinFontCharset = i18n::kCharsetWestern;
    const auto apply = [&](const i18n::LatinFontTarget& target,
                           const std::function<void(forms::Font&)>& change) {
        forms::Form& form = formNamed(app, target.form);
        if (target.control.empty()) {
            forms::Font font = form.font();
            change(font);
            form.setFont(font);
        } else {
            changeFont(*controlNamed(form, target.control, target.index), change);
        }
    };
    for (const auto& target : i18n::kLatinFontTargets)
        apply(target, [&](forms::Font& f) { f.name = app.LatinFontName; });
    for (const auto& target : i18n::kLatinFontTargets)
        if (target.setsCharset)
            apply(target, [&](forms::Font& f) { f.charset = app.LatinFontCharset; });
}

}  // namespace korvo
