// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/assistant/fassist2.h"

#include "app/program.h"
#include "base/paths.h"
#include "ui/assistant/fassist3.h"
#include "ui/forms/runtime.h"
#include "ui/options/form4.h"

namespace korvo {

Fassist2::Fassist2(Program& program)
    : AssistantPage(program, {"Fassist2", forms::rgb(0, 0, 255), 4455, 4830,
                              forms::rgb(192, 192, 192), 4575, "Continue >>>"}),
      T(Frame2, "T", {120, 240, 3735, 285}, program.runtime().files().systemDrive()) {
    Is1.setPicture(std::make_shared<forms::PictureData>(forms::PictureData{":logo.gif", 92, 80}));
    forms::Font title{"MS Serif", 13.5, 0};
    title.bold = true;
    Label1.setFont(title);
    T.setEnabled(false);
    T.setLocked(true);
    Label4.setBackColor(forms::rgb(255, 255, 128));
    Label4.setVisible(false);

    Cv.onClick = [this] { Cv_Click(); };
    Cv2.onClick = [this] { Cv2_Click(); };
    T.onChange = [this] { T_Change(); };
    dragsWindow(Is1);
}

std::string Fassist2::DefaultFolder() const {
    return joinPath(app.services().programFolder, "fond") + separator();
}

void Fassist2::Form_Load() {
    SetCaptions();
    Label3.setCaption(DefaultFolder());
}

void Fassist2::SetCaptions() {
    if (app.AssistLang == "FR") {
        Label1.setCaption("Choisissez le répertoire des Fonds d'écrans !");
        Frame1.setCaption("Par défaut");
        Frame2.setCaption("Nouveau dossier");
        Cv.setCaption("Choisir..");
        Cv2.setCaption("Défaut");
        Label4.setCaption("Cliquez continue    >>>>");
    } else {
        Label1.setCaption("Choose the Wallpapers Folder");
        Frame1.setCaption("By Default");
        Frame2.setCaption("New folder");
        Cv.setCaption("Choose..");
        Cv2.setCaption("Default");
        Label4.setCaption("Click continue         >>>>");
    }
}

void Fassist2::Cv_Click() {
    app.form<Form4>().show();
}

void Fassist2::Cv2_Click() {
    T.setText(DefaultFolder());
}

void Fassist2::T_Change() {
    C1.setEnabled(true);
    Label4.setVisible(true);
}

void Fassist2::C1_Click() {
    // On a first run this still applies the language that stood in the file before the
    // assistant: the page's own choice is written only by the last page.
    app.ApplyLanguage();
    app.AssistFolder = T.text();
    app.form<Fassist3>().show();
    hide();
}

}  // namespace korvo
