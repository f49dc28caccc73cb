// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/forms/control.h"
#include "ui/forms/form.h"

namespace korvo {

class Program;

// Never shown: it holds the tray icon's menu, whose captions are the same in every language.
class SysTray : public forms::Form {
  public:
    explicit SysTray(Program& app);

    void Mnuaff_Click();
    void Mnudeff_Click();
    void MnuOptions_Click();
    void MnuInfo_Click();
    // Ends the program at once: the tray icon goes with the main window, nothing is saved and no
    // other window hears of it.
    [[noreturn]] void MnuQuitter_Click();

    forms::Menu MnuFichier{*this, "MnuFichier", "Fichier"};
    forms::Menu Mnuaff{*this, "Mnuaff", "&See (Voir)", &MnuFichier};
    forms::Menu Mnudeff{*this, "Mnudeff", "&Hide (cacher)", &MnuFichier};
    forms::Menu File1{*this, "File1", "-", &MnuFichier};
    forms::Menu MnuOptions{*this, "MnuOptions", "&Options", &MnuFichier};
    forms::Menu File2{*this, "File2", "-", &MnuFichier};
    forms::Menu MnuInfo{*this, "MnuInfo", "&About of...", &MnuFichier};
    forms::Menu File3{*this, "File3", "-", &MnuFichier};
    forms::Menu MnuQuitter{*this, "MnuQuitter", "&Quit", &MnuFichier};

    Program& app;
};

}  // namespace korvo
