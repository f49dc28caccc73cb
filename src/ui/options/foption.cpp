#include "ui/options/foption.h"

#include <array>

#include "app/program.h"
#include "engine/change_clock.h"
#include "engine/form6.h"
#include "engine/fsuite.h"
#include "i18n/language.h"
#include "ui/forms/errors.h"
#include "ui/main/form1.h"

namespace korvo {

namespace {

constexpr std::array<const char*, 11> DelayLabels = {
    "1 second",  "5 seconds",  "10 seconds", "15 seconds", "30 seconds", "1 minute",
    "5 minutes", "15 minutes", "30 minutes", "1 hour",     "other hour"};
constexpr std::array<int, 11> DelayLabelTops = {360,  720,  1080, 1560, 1920, 2400,
                                                2760, 3120, 3600, 3960, 4320};
constexpr std::array<const char*, 6> LanguageCaptions = {"English", "francais", "deusch",
                                                         "Nihongo", "espanol",  "Chinese"};
constexpr std::array<const char*, 3> StyleCaptions = {"center", "mosaic", "etiré"};

}  // namespace

Foption::Foption(Program& program)
    : forms::Form(program.runtime(), "Foption"),
      Label1(11,
             [this](int i) {
                 return std::make_unique<forms::Label>(
                     Frame1, "Label1",
                     forms::Rect{840, DelayLabelTops[static_cast<std::size_t>(i)], 1335, 255},
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
      app(program) {
    setBorderStyle(forms::BorderStyle::FixedSingle);
    setRect({0, 0, 7365, 5400});
    setBackColor(forms::rgb(192, 192, 192));
    setCaption("Foption");
    Text2.setLocked(true);

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
    TimerSt.onTimer = [this] { TimerSt_Timer(); };
    Timer1.onTimer = [this] { Timer1_Timer(); };
}

void Foption::Form_Load() {
    setCaption("Korvo option");
    Text2.setText(app.FolderPath);
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
}

void Foption::int1() {
    forms::succeeds([&] {
        app.FolderPath = LireINI2("OPTION", "Folder");
        if (app.FolderPath == "Null") return;
        Form1& main = app.form<Form1>();
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
