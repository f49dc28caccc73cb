// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/assistant/fassist3.h"

#include "app/program.h"
#include "i18n/caption_tables.h"
#include "i18n/style_names.h"
#include "ui/main/form1.h"
#include "ui/options/foption.h"

namespace korvo {

Fassist3::Fassist3(Program& program)
    : AssistantPage(program, {"Fassist3", forms::rgb(0, 0, 128), 4425, 4845,
                              forms::rgb(192, 192, 192), 4575, "Continue >>>"}),
      Option1(2,
              [this](int i) {
                  const forms::Rect place = i == 0 ? forms::Rect{240, 1440, 1695, 255}
                                                   : forms::Rect{2040, 1440, 1935, 255};
                  return std::make_unique<forms::OptionButton>(
                      Picture1, "Option1", place, i == 0 ? "Auto-change" : "No-Change", i);
              }),
      Check1(Picture1, "Check1", {120, 3720, 3975, 255},
             i18n::withSystemName(i18n::kFassist3Check1Design, program.services().systemName)) {
    forms::Font title{"MS Serif", 13.5, 0};
    title.bold = true;
    Label1.setFont(title);
    Is1.setPicture(std::make_shared<forms::PictureData>(forms::PictureData{":logo.gif", 92, 80}));
    Combo1.setEnabled(false);

    for (int index = 0; index < 2; ++index)
        Option1[index].onClick = [this, index] { Option1_Click(index); };
    Combo1.onClick = [this] { Combo1_Click(); };
    Combo2.onChange = [this] { Combo2_Change(); };
    Combo2.onClick = [this] { Combo2_Click(); };
    Check1.onClick = [this] { Check1_Click(); };
    dragsWindow(Is1);
    dragsWindow(Label1);
}

void Fassist3::Form_Load() {
    Combo2.setText("Center");
    Combo1.setText(std::string(i18n::kAssistDelays[0].name));
    for (const i18n::StyleName& style :
         {i18n::kStyleNames[2], i18n::kStyleNames[6], i18n::kStyleNames[8]})
        Combo2.addItem(std::string(style.name));
    for (const i18n::DelayItem& delay : i18n::kAssistDelays)
        Combo1.addItem(std::string(delay.name));
    app.CurrentAspect = "0";
    // The delay the list shows from the start is the one Continue writes, unless another is
    // picked: the page never stores a delay the user did not see.
    app.AssistDelay = std::string(i18n::kAssistDelays[0].seconds);
}

void Fassist3::Option1_Click(int Index) {
    if (Index == 0) {
        app.StoredChangeMode = "1";
        Combo1.setEnabled(true);
        // Back from "No-Change": automatic change takes the delay the list shows, never the
        // "0" that no item names.
        if (const auto seconds = i18n::delaySecondsFor(Combo1.text())) app.AssistDelay = *seconds;
    } else if (Index == 1) {
        Combo1.setEnabled(false);
        app.AssistDelay = "0";
        app.StoredChangeMode = "2";
        // Automatic change stops now, not only once the settings are written.
        app.ArmDelay = "0";
        app.CounterInterval = "0";
        app.ArmCounter();
    }
    C1.setEnabled(true);
}

void Fassist3::Combo1_Click() {
    if (const auto seconds = i18n::delaySecondsFor(Combo1.text())) app.AssistDelay = *seconds;
    C1.setEnabled(true);
}

void Fassist3::Combo2_Change() {
    if (const auto code = i18n::styleCodeFor(Combo2.text())) app.CurrentAspect = *code;
}

void Fassist3::Combo2_Click() {
    Combo2_Change();
}

void Fassist3::Check1_Click() {
    C1.setEnabled(true);
}

void Fassist3::C1_Click() {
    if (Check1.value() == forms::CheckBox::Unchecked) app.WriteSetting("Start", "Win", "0");
    if (Check1.value() == forms::CheckBox::Checked) app.WriteSetting("Start", "Win", "1");
    app.WriteSetting("OPTION", "Folder", app.AssistFolder);
    app.WriteSetting("OPTION", "Delay", app.AssistDelay);
    app.WriteSetting("OPTION", "Affichage", app.StoredChangeMode);
    app.WriteSetting("Start", "First", "0");
    app.WriteSetting("OPTION", "Aspect", app.CurrentAspect);
    app.WriteSetting("OPTION", "Wallpaper", "Null");
    app.WriteSetting("OPTION", "Lang", app.AssistLang);
    app.form<Form1>().show();
    hide();
    app.form<Foption>().initio();
}

}  // namespace korvo
