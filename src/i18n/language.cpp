// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "i18n/language.h"

#include "app/program.h"
#include "engine/fsuite.h"
#include "i18n/caption_tables.h"
#include "i18n/fonts.h"
#include "ui/about/about_text.h"
#include "ui/assistant/fassist3.h"
#include "ui/main/form1.h"
#include "ui/options/foption.h"
#include "ui/options/form3.h"

namespace korvo {

namespace {

// The steps every caption set takes, with the texts of its language.
void putCaptions(Program& app, std::string_view code) {
    const i18n::CaptionSet& set = *i18n::captionSetFor(code);
    if (set.latinFontsFirst) SetLatinFonts(app);
    SelectUIFonts(app, std::string(set.fonts));
    app.form<Form1>().Idr.setPicture(app.form<Fsuite>().Image1[set.flag].picture());
    app.CaptionApply = std::string(set.apply);
    app.CaptionOptions = std::string(set.options);
    app.CaptionExit = std::string(set.exit);
    RefreshMainCaptions(app);

    auto& options = app.form<Foption>();
    options.setCaption(i18n::optionsTitle(set, app.services().appTitle));
    options.Frame2.setCaption(std::string(set.frame2));
    options.Frame3.setCaption(std::string(set.frame3));
    options.Frame1.setCaption(std::string(set.frame1));
    options.Frame5.setCaption(std::string(set.frame5));
    options.Check1.setCaption(i18n::withSystemName(set.startWithSystem, app.services().systemName));
    app.form<Fassist3>().Check1.setCaption(
        i18n::withSystemName(set.startWithSystem, app.services().systemName));
    options.Command2.setCaption(std::string(set.ok));
    options.Command3.setCaption(std::string(set.cancel));
    options.Command5.setCaption(std::string(set.byDefault));
    options.Option2[set.languageButton].select();
}

}  // namespace

std::optional<int> languageIndex(const std::string& code) {
    for (std::size_t i = 0; i < LanguageCodes.size(); ++i)
        if (code == LanguageCodes[i]) return static_cast<int>(i);
    return std::nullopt;
}

void ApplyLanguage(Program& app) {
    const std::string lang = app.ReadSetting("OPTION", "Lang");
    if (lang == "FR") {
        SetCaptionsFR(app);
        SetAboutTextFR(app);
    } else if (lang == "EN") {
        SetCaptionsEN(app);
        SetAboutTextEN(app);
    } else if (lang == "DE") {
        SetAboutTextEN(app);
        SetCaptionsDE(app);
    } else if (lang == "JP") {
        SetAboutTextJP(app);
        SetCaptionsJP(app);
    } else if (lang == "ESP") {
        SetAboutTextEN(app);
        SetCaptionsESP(app);
    } else if (lang == "CHN") {
        SetAboutTextCHN(app);
        SetCaptionsCHN(app);
    }
    app.form<Form3>().pll();
}

void SetCaptionsFR(Program& app) {
    putCaptions(app, "FR");
}
void SetCaptionsEN(Program& app) {
    putCaptions(app, "EN");
}
void SetCaptionsDE(Program& app) {
    putCaptions(app, "DE");
}
void SetCaptionsJP(Program& app) {
    putCaptions(app, "JP");
}
void SetCaptionsESP(Program& app) {
    putCaptions(app, "ESP");
}
void SetCaptionsCHN(Program& app) {
    putCaptions(app, "CHN");
}

void RefreshMainCaptions(Program& app) {
    app.form<Form1>().If1();
}

}  // namespace korvo
