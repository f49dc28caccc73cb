// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Korvo's own windows in a language, as both bindings' tests and screenshots show them.
#include <functional>
#include <string>
#include <vector>

#include "app/program.h"
#include "services/services.h"
#include "ui/about/fabout.h"
#include "ui/assistant/fassist2.h"
#include "ui/main/form1.h"
#include "ui/options/folder_browser.h"
#include "ui/options/foption.h"
#include "ui/options/form4.h"

namespace korvo::testing {

// Log-on entries are not the front end's business: none are made.
struct NoStartupEntries : StartupEntries {
    bool add(const std::string&, const std::string&) override { return true; }
    void remove(const std::string&) override {}
};

// A settings file as the assistant leaves it, with the picture folder `folder` (ending in the
// separator), the language `lang` and the first-run flag `first`.
inline std::string settingsWith(const std::string& folder, const std::string& lang,
                                const char* first) {
    return "[OPTION]\r\nFolder=" + folder + "\r\nWallpaper=Null\r\nLang=" + lang +
           "\r\nAffichage=2\r\nAspect=0\r\nTime=Null\r\nDelay=0\r\n[Start]\r\nWin=0\r\nFirst=" +
           first + "\r\n";
}

// Every window Korvo shows, by the name of its form.
inline const std::vector<const char*>& shownForms() {
    static const std::vector<const char*> names = {"Form1",    "Foption",  "Fabout", "Fassist1",
                                                   "Fassist2", "Fassist3", "Form5",  "Form4"};
    return names;
}

// The language `code` applied as the options dialog's "OK" applies it, and every shown window
// loaded in the state worth showing: a loaded about box and folder page keep the texts of the
// language they loaded in, so they load again; the folder page speaks the language picked on the
// first page. Each step is one dispatched event, so that one that fails leaves the others.
inline void showInLanguage(Program& app, const std::string& code) {
    const std::vector<std::function<void()>> steps = {
        [&] {
            app.WriteSetting("OPTION", "Lang", code);
            app.AssistLang = code;
            if (app.isLoaded<Fabout>()) app.form<Fabout>().unload();
            if (app.isLoaded<Fassist2>()) app.form<Fassist2>().unload();
            app.ApplyLanguage();
        },
        [&] { app.form<Form1>().Fi.setListIndex(0); },
        [&] { app.form<Foption>().Option4.select(); },
        [&] { app.form<Fassist2>().Cv2.click(); },
        [&] { app.form<Fabout>(); },
        [&] { app.form<Form5>().Dir1.setPath(app.FolderPath); },
        [&] { app.form<Form4>().Dir1.setPath(app.FolderPath); },
    };
    for (const auto& step : steps) app.runtime().dispatch(step);
}

// The loaded form of that name; nullptr when there is none.
inline forms::Form* loadedForm(Program& app, const std::string& name) {
    for (forms::Form* form : app.runtime().forms())
        if (form->name() == name) return form;
    return nullptr;
}

}  // namespace korvo::testing
