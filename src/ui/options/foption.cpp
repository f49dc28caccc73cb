// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/options/foption.h"

#include <array>

#include "app/program.h"
#include "base/paths.h"
#include "engine/change_clock.h"
#include "engine/form6.h"
#include "engine/fsuite.h"
#include "i18n/caption_tables.h"
#include "i18n/language.h"
#include "ui/about/fabout.h"
#include "ui/forms/errors.h"
#include "ui/main/form1.h"
#include "ui/options/folder_browser.h"
#include "ui/options/form3.h"

namespace korvo {

namespace {

constexpr std::array<const char*, 11> DelayLabels = {
    "1 second",  "5 seconds",  "10 seconds", "15 seconds", "30 seconds", "1 minute",
    "5 minutes", "15 minutes", "30 minutes", "1 hour",     "other hour"};
// Top to bottom. The slider runs from -10 at the top to 0 at the bottom and Label1(i) stands
// beside value -i, so "other hour" (index 10) sits at the top beside the custom box.
constexpr std::array<int, 11> LabelTopsDownwards = {360,  720,  1080, 1560, 1920, 2400,
                                                    2760, 3120, 3600, 3960, 4320};
constexpr std::array<const char*, 6> LanguageCaptions = {"English", "francais", "deusch",
                                                         "Nihongo", "espanol",  "Chinese"};
constexpr std::array<const char*, 3> StyleCaptions = {"center", "mosaic", "etiré"};

}  // namespace

Foption::Foption(Program& program)
    : forms::Form(program.runtime(), "Foption"),
      Label1(
          11,
          [this](int i) {
              return std::make_unique<forms::Label>(
                  Frame1, "Label1",
                  forms::Rect{840, LabelTopsDownwards[static_cast<std::size_t>(10 - i)], 1335, 255},
                  DelayLabels[static_cast<std::size_t>(i)], i);
          }),
      Option2(6,
              [this](int i) {
                  auto button = std::make_unique<forms::OptionButton>(
                      Frame4, "Option2", forms::Rect{120, 240 + 480 * i, 1695, 375},
                      LanguageCaptions[static_cast<std::size_t>(i)], i);
                  button->setBackColor(forms::rgb(192, 192, 192));
                  button->setFont({"Lucida Sans Unicode", 8.25, 0});
                  return button;
              }),
      Option3(3,
              [this](int i) {
                  return std::make_unique<forms::OptionButton>(
                      Frame5, "Option3", forms::Rect{120, 360 + 240 * i, 1215, 255},
                      StyleCaptions[static_cast<std::size_t>(i)], i);
              }),
      Check1(*this, "Check1", {2640, 4560, 4575, 195},
             i18n::withSystemName(i18n::kFoptionCheck1Design, program.services().systemName)),
      app(program) {
    setBorderStyle(forms::BorderStyle::FixedSingle);
    setRect({0, 0, 7365, 5400});
    setBackColor(forms::rgb(192, 192, 192));
    setCaption("Foption");
    Text2.setLocked(true);
    Command2.setDefault(true);
    Command3.setCancel(true);
    // "1 second": a stored delay that is no number leaves the slider here, so "Automatic" stores
    // the delay the user sees.
    Slider1.setValue(0);
    Command1.setPicture(
        std::make_shared<forms::PictureData>(forms::PictureData{":folder.png", 16, 16}));

    Option1.onClick = [this] { Option1_Click(); };
    Option4.onClick = [this] { Option4_Click(); };
    for (auto& button : Option2) {
        const int index = button->index();
        button->onClick = [this, index] { Option2_Click(index); };
    }
    for (auto& button : Option3) {
        const int index = button->index();
        button->onClick = [this, index] { Option3_Click(index); };
    }
    Slider1.onChange = [this] { Slider1_Change(); };
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    Command3.onClick = [this] { Command3_Click(); };
    Command4.onClick = [this] { Command4_Click(); };
    Command5.onClick = [this] { Command5_Click(); };
    TimerSt.onTimer = [this] { TimerSt_Timer(); };
    Timer1.onTimer = [this] { Timer1_Timer(); };
}

void Foption::Form_Load() {
    setCaption("Korvo option");
    Text2.setText(app.FolderPath);
    // At start-up this creates Form3, whose own loading runs the loader once, nested here.
    setIcon(app.form<Form3>().icon());
}

void Foption::Form_QueryUnload(int& Cancel, int UnloadMode) {
    if (UnloadMode != forms::FormControlMenu) return;
    Cancel = 1;
    Command3_Click();
}

void Foption::Option1_Click() {
    app.OptChangeMode = "2";
    TimerSt.setEnabled(false);
    app.OptDelay = "0";
    Frame1.setEnabled(false);
    Timer1.setEnabled(false);
}

void Foption::Option4_Click() {
    app.OptChangeMode = "1";
    Frame1.setEnabled(true);
    VoirSlider();
    Timer1.setEnabled(true);
}

void Foption::Option2_Click(int Index) {
    if (Index >= 0 && Index < static_cast<int>(LanguageCodes.size()))
        app.CurrentLang = LanguageCodes[static_cast<std::size_t>(Index)];
}

void Foption::Option3_Click(int Index) {
    app.CurrentAspect = std::to_string(Index);
}

void Foption::Slider1_Change() {
    VoirSlider();
}

void Foption::VoirSlider() {
    if (auto delay = clock::sliderDelay(Slider1.value(), Text1.text())) app.OptDelay = *delay;
}

void Foption::VoirChange() {}

void Foption::Command1_Click() {
    app.form<Form5>().show();
}

void Foption::Command2_Click() {
    inscrito();
    TimerSt.setEnabled(true);
    app.ClockDelay = app.OptDelay;
    app.form<Form3>().LLp();
    initio();
    hide();
}

void Foption::Command3_Click() {
    app.form<Form3>().LLp();
    initio();
    hide();
}

void Foption::Command4_Click() {
    app.ApplyLanguage();
    app.form<Fabout>().show();
}

void Foption::Command5_Click() {
    Text2.setText(app.services().programFolder + separator() + "fond" + separator());
    Option2[0].select();
    Option1.select();
    Option3[0].select();
    Check1.setValue(forms::CheckBox::Unchecked);
}

void Foption::inscrito() {
    // A box the user left as it was loaded leaves "Win", and so the log-on entry, as it was: a
    // value start-up leaves alone ("2", a word) must not become "0".
    if (Check1.value() != forms::CheckBox::Grayed && Check1.value() != Check1Loaded)
        EcrireINI2("Start", "Win", Check1.value() == forms::CheckBox::Checked ? "1" : "0");
    EcrireINI2("OPTION", "Lang", app.CurrentLang);
    EcrireINI2("OPTION", "Affichage", app.OptChangeMode);
    EcrireINI2("OPTION", "Delay", app.OptDelay);
    EcrireINI2("OPTION", "Folder", Text2.text());
    EcrireINI2("OPTION", "Aspect", app.CurrentAspect);
}

std::string Foption::LireINI2(const std::string& Entete, const std::string& Variable) {
    return app.ReadSetting(Entete, Variable);
}

void Foption::EcrireINI2(const std::string& Entete, const std::string& Variable,
                         const std::optional<std::string>& Valeur) {
    app.WriteSetting(Entete, Variable, Valeur);
}

// The loader and the change clock.

void Foption::initio() {
    Ionics();
}

void Foption::Ionics() {
    app.ApplyLanguage();
    int1();
    Int2();
    app.ClockDelay = app.ArmDelay = app.CounterInterval = LireINI2("OPTION", "Delay");
    app.ArmCounter();
    DelayIni();
    Vroum();

    app.CurrentPicture = LireINI2("OPTION", "Wallpaper");
    if (app.CurrentPicture != "Null") app.SelectedPicture = app.CurrentPicture;

    app.StoredChangeMode = LireINI2("OPTION", "Affichage");
    if (app.StoredChangeMode == "0") aleo();
    if (app.StoredChangeMode == "1") Sery();
    if (app.StoredChangeMode == "2") Norm();

    const std::string aspect = LireINI2("OPTION", "Aspect");
    if (aspect == "0" || aspect == "1" || aspect == "2") {
        app.CurrentAspect = aspect;
        Option3[std::stoi(aspect)].select();
    }

    // The box shows the stored choice, ticked exactly when start-up adds the log-on entry: left
    // unticked, every "OK" would drop the log-on start.
    Check1Loaded = Program::startupWanted(LireINI2("Start", "Win")) == true
                       ? forms::CheckBox::Checked
                       : forms::CheckBox::Unchecked;
    Check1.setValue(Check1Loaded);
}

void Foption::int1() {
    forms::succeeds([&] {
        app.FolderPath = LireINI2("OPTION", "Folder");
        if (app.FolderPath == "Null") return;
        auto& main = app.form<Form1>();
        const bool moved = main.Lchemin.caption() != app.FolderPath;
        main.Lchemin.setCaption(app.FolderPath);
        Text2.setText(app.FolderPath);
        // The list follows the label, so a picture's path is never made of the new folder and
        // a file of the old one.
        if (moved) main.PointListAtFolder();
    });
}

void Foption::Int2() {
    app.TimeSetting = LireINI2("OPTION", "Time");
    if (app.TimeSetting != "Null") app.form<Form6>().T1000_Timer();
}

void Foption::aleo() {}

void Foption::Sery() {
    // The counting timer keeps interval 0 (see Fsuite::T01): giving it the delay as a
    // millisecond interval would count the same seconds twice.
    Option4.select();
    app.form<Fsuite>().T01.setEnabled(true);
}

void Foption::Norm() {
    app.form<Fsuite>().T01.setEnabled(false);
    app.form<Form6>().T1000.setEnabled(false);
    Option1.select();
    app.ClockDelay = app.ArmDelay = app.CounterInterval = "0";
    app.ArmCounter();
}

void Foption::DelayIni() {
    const auto setting = clock::sliderSetting(app.ClockDelay);
    if (!setting) return;
    // The box first: moving the slider reads it.
    if (setting->customHours) Text1.setText(*setting->customHours);
    Slider1.setValue(setting->position);
}

void Foption::Vroum() {
    TimerSt.setEnabled(true);
    app.ElapsedSeconds = 0;
    TimerSt_Timer();  // the loading counts as the first second
}

void Foption::Fz() {
    app.form<Fsuite>().G();
    app.ElapsedSeconds = 0;
}

void Foption::TimerSt_Timer() {
    app.ElapsedSeconds += 1;
}

void Foption::Timer1_Timer() {
    if (clock::changeDue(app.ElapsedSeconds, app.ClockDelay)) Fz();
}

}  // namespace korvo
