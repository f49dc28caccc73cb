// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/main/systray.h"

#include "app/program.h"
#include "ui/about/fabout.h"
#include "ui/main/form1.h"
#include "ui/options/foption.h"

namespace korvo {

SysTray::SysTray(Program& program) : forms::Form(program.runtime(), "SysTray"), app(program) {
    setCaption("SysTray");
    Mnuaff.onClick = [this] { Mnuaff_Click(); };
    Mnudeff.onClick = [this] { Mnudeff_Click(); };
    MnuOptions.onClick = [this] { MnuOptions_Click(); };
    MnuInfo.onClick = [this] { MnuInfo_Click(); };
    MnuQuitter.onClick = [this] { MnuQuitter_Click(); };
}

void SysTray::Mnuaff_Click() {
    app.form<Form1>().show();
}

void SysTray::Mnudeff_Click() {
    app.form<Form1>().hide();
}

void SysTray::MnuOptions_Click() {
    // As it was left: unlike the main window's button, the menu does not reload the settings.
    app.form<Foption>().show();
}

void SysTray::MnuInfo_Click() {
    app.form<Fabout>().show();
}

void SysTray::MnuQuitter_Click() {
    app.form<Form1>().unload();
    unload();
    app.runtime().end();
}

}  // namespace korvo
