// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/about/fabout.h"

#include "app/program.h"
#include "ui/forms/errors.h"

#ifndef KORVO_HOME_PAGE
#error "KORVO_HOME_PAGE is set by the build"
#endif

namespace korvo {

const std::string& HomePageAddress() {
    static const std::string address = KORVO_HOME_PAGE;
    return address;
}

void OpenHomePage(Program& app) {
    app.services().window.openAddress(HomePageAddress());
}

Fabout::Fabout(Program& program) : forms::Form(program.runtime(), "Fabout"), app(program) {
    const forms::Color white = forms::rgb(255, 255, 255);
    setBorderStyle(forms::BorderStyle::FixedDialog);
    setBackColor(white);
    setRect({0, 0, 4710, 5100});
    Is1.setPicture(std::make_shared<forms::PictureData>(forms::PictureData{":logo.gif", 92, 80}));
    Image1.setPicture(
        std::make_shared<forms::PictureData>(forms::PictureData{":illustration.png", 194, 174}));
    Lr.setBackColor(forms::rgb(192, 255, 255));
    for (forms::Label* label : {&Label1, &Label3, &Label2}) label->setBackColor(white);
    Label3.onClick = [this] { Label3_Click(); };
}

void Fabout::Form_Load() {
    // The language may already be being applied (its font routines load this box); whatever
    // fails there, the box still gets its title and texts.
    forms::succeeds([&] { app.ApplyLanguage(); });
    setCaption("About of " + app.services().appTitle);
    Label1.setCaption(app.AboutText);
    Label2.setCaption("Korvo01-2004-12");
    Label3.setCaption(HomePageAddress());
}

void Fabout::Label3_Click() {
    OpenHomePage(app);
}

}  // namespace korvo
