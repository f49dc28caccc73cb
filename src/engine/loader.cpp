// The loader and the change clock: how the settings file becomes the running program's state,
// and when the wallpaper changes.
#include <cmath>

#include "app/program.h"
#include "base/text.h"
#include "engine/form6.h"
#include "engine/fsuite.h"
#include "ui/forms/errors.h"
#include "ui/main/form1.h"
#include "ui/options/foption.h"

namespace korvo {

void Program::SetCounterTimer(std::optional<bool> on) {
    if (on) form<Fsuite>().T01.setEnabled(*on);
}

void Program::ArmCounter() {
    // A text comparison, as the stored delay is compared with the digit string "1".
    const int order = text::compare(ArmDelay, "1");
    if (order < 0) {
        SetCounterTimer(false);
    } else if (order > 0) {
        CounterInterval = ArmDelay;
        SetCounterTimer(true);
        form<Fsuite>().Tpro(ClockDelay);
    }
}

void Foption::initio() {
    Ionics();
}

void Foption::Ionics() {
    app.ApplyLanguage();
    int1();
    Int2();
    app.ClockDelay = LireINI2("OPTION", "Delay");
    app.ArmDelay = app.ClockDelay;
    app.CounterInterval = app.ClockDelay;
    app.ArmCounter();
    DelayIni();
    Vroum();

    app.CurrentPicture = LireINI2("OPTION", "Wallpaper");
    if (app.CurrentPicture != "Null") app.SelectedPicture = app.CurrentPicture;

    app.StoredChangeMode = LireINI2("OPTION", "Affichage");
    if (app.StoredChangeMode == "0") {
        aleo();
    } else if (app.StoredChangeMode == "1") {
        Sery();
    } else if (app.StoredChangeMode == "2") {
        Norm();
    }

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
    // The counting timer keeps interval 0 (see Fsuite::T01): step one, giving it the delay as a
    // millisecond interval, would count the same seconds twice.
    Option4.select();
    app.form<Fsuite>().T01.setEnabled(true);
}

void Foption::Norm() {
    app.form<Fsuite>().T01.setEnabled(false);
    app.form<Form6>().T1000.setEnabled(false);
    Option1.select();
    app.ClockDelay = "0";
    app.ArmDelay = "0";
    app.CounterInterval = "0";
    app.ArmCounter();
}

void Foption::DelayIni() {
    // Numbers, not texts, are compared: a stored "120" must select the custom position, or the
    // next "OK" would store whatever the slider happened to show.
    const auto delay = text::asNumber(app.ClockDelay);
    if (!delay || *delay <= 0 || *delay != std::floor(*delay)) return;
    for (std::size_t i = 0; i < SliderDelays.size(); ++i) {
        if (*delay == SliderDelays[i]) {
            Slider1.setValue(-static_cast<int>(i));
            return;
        }
    }
    Text1.setText(text::formatNumber(*delay / 3600.0, 4));
    Slider1.setValue(CustomDelayPosition);
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
    // A delay that is not a number (a missing key) means no automatic change.
    const auto delay = text::asNumber(app.ClockDelay);
    if (delay && *delay > 0 && app.ElapsedSeconds == *delay) Fz();
}

}  // namespace korvo
