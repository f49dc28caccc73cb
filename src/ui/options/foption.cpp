#include "ui/options/foption.h"

#include <array>
#include <cmath>

#include "app/program.h"
#include "base/text.h"
#include "i18n/language.h"

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
    const int v = Slider1.value();
    if (v >= -9 && v <= 0) {
        app.OptDelay = std::to_string(SliderDelays[static_cast<std::size_t>(-v)]);
    } else if (v == -10) {
        // The custom box is in hours, as its labels say; the delay is stored in whole seconds.
        // Text that is not a positive number keeps the delay as it was.
        const auto hours = text::asNumber(Text1.text());
        if (!hours || *hours <= 0) return;
        const double seconds = std::round(*hours * 3600.0);
        if (seconds < 1 || seconds > 2147483647.0) return;
        app.OptDelay = text::formatNumber(seconds, 0);
    }
}

std::string Foption::LireINI2(const std::string& Entete, const std::string& Variable) {
    return app.ReadSetting(Entete, Variable);
}

void Foption::EcrireINI2(const std::string& Entete, const std::string& Variable,
                         const std::optional<std::string>& Valeur) {
    app.WriteSetting(Entete, Variable, Valeur);
}

}  // namespace korvo
