// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Renders every window Korvo shows to PNG files, in each language, for the documentation:
//   korvo_qt_screenshots OUTPUT_FOLDER [RESOURCES_FOLDER]
// Each window is drawn from its model alone, as the running program draws it, on the platform Qt
// is given (docs/screenshots/make-screenshots: an X server with a window manager and the real
// fonts).

#include <QApplication>
#include <QDir>
#include <QWidget>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "base/paths.h"
#include "i18n/language.h"
#include "qt_program.h"
#include "ui/about/fabout.h"
#include "ui/assistant/fassist1.h"
#include "ui/assistant/fassist2.h"
#include "ui/assistant/fassist3.h"
#include "ui/main/form1.h"
#include "ui/options/folder_browser.h"
#include "ui/options/foption.h"
#include "ui/options/form4.h"

namespace {

using korvo::Program;

struct Window {
    const char* form;
    // Loads the form and puts it in the state worth showing; runs as one dispatched event.
    std::function<void(Program&)> prepare;
};

std::string above(const std::string& folder) {
    const std::filesystem::path path = std::filesystem::absolute(korvo::toPath(folder));
    return korvo::fromPath(path.parent_path().parent_path());
}

const std::vector<Window>& windows() {
    static const std::vector<Window> list = {
        {"Form1", [](Program& p) { p.form<korvo::Form1>().Fi.setListIndex(0); }},
        {"Foption", [](Program& p) { p.form<korvo::Foption>().Option4.select(); }},
        {"Fabout", [](Program& p) { p.form<korvo::Fabout>(); }},
        {"Fassist1", [](Program& p) { p.form<korvo::Fassist1>(); }},
        {"Fassist2",
         [](Program& p) {
             // The captions the first page's pick gives, and a folder taken.
             p.form<korvo::Fassist2>().SetCaptions();
             p.form<korvo::Fassist2>().Cv2.click();
         }},
        {"Fassist3", [](Program& p) { p.form<korvo::Fassist3>(); }},
        // The browsers in the folder above the sample pictures, which has folders to show.
        {"Form5", [](Program& p) { p.form<korvo::Form5>().Dir1.setPath(above(p.FolderPath)); }},
        {"Form4", [](Program& p) { p.form<korvo::Form4>().Dir1.setPath(above(p.FolderPath)); }},
    };
    return list;
}

// The language `code` stored and applied, as the assistant and the options dialog leave it; the
// about box loaded again, since it takes its text when it loads.
void applyLanguage(Program& p, const char* code) {
    p.WriteSetting("OPTION", "Lang", code);
    p.ApplyLanguage();
    p.AssistLang = code;
    if (p.isLoaded<korvo::Fabout>()) p.form<korvo::Fabout>().unload();
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) return 2;  // usage at the top of this file
    QApplication app(argc, argv);
    const QString output = QString::fromLocal8Bit(argv[1]);
    const std::string resources = argc > 2 ? argv[2] : KORVO_RESOURCES_DIR;
    QDir().mkpath(output + "/languages");

    // The sample pictures when they are there, so that the main window has something to list.
    const std::string samples = resources + "/fond/";
    korvo::qt::test::QtProgram program(korvo::qt::test::settingsWith(
        std::filesystem::is_directory(samples) ? samples : "Null", "0"));
    // The folder page shows the sample folder beside the program as an installed Korvo has it,
    // not this run's temporary folder; the settings stay there.
    korvo::Services& services = program.app().services();
    services.settingsFolder = services.programFolder;
    services.programFolder = "/usr/lib/korvo";
    program.start();

    int failures = 0;
    const auto shoot = [&](const Window& window, const QString& file) {
        korvo::forms::Form* form = nullptr;
        program.app().runtime().dispatch([&] {
            window.prepare(program.app());
            for (korvo::forms::Form* loaded : program.app().runtime().forms())
                if (loaded->name() == window.form) form = loaded;
            if (form) form->show();
        });
        QWidget* shown = form ? program.view().window(*form) : nullptr;
        if (shown) QApplication::processEvents();
        // Where the focus is depends on the window manager's timing: the pictures show none.
        if (QWidget* focused = shown ? shown->focusWidget() : nullptr) focused->clearFocus();
        if (shown && shown->grab().save(file)) {
            std::printf("%s\n", qPrintable(file));
        } else {
            std::fprintf(stderr, "korvo_qt_screenshots: cannot draw %s\n", window.form);
            ++failures;
        }
        if (form) program.app().runtime().dispatch([&] { form->hide(); });
    };
    // Every window in every language, then each in English on its own for the documents.
    for (const char* code : korvo::LanguageCodes) {
        program.app().runtime().dispatch([&] { applyLanguage(program.app(), code); });
        for (const Window& window : windows())
            shoot(window,
                  QDir(output).filePath(QStringLiteral("languages/%1-%2.png")
                                            .arg(QLatin1String(window.form), QLatin1String(code))));
    }
    program.app().runtime().dispatch([&] { applyLanguage(program.app(), "EN"); });
    for (const Window& window : windows())
        shoot(window, QDir(output).filePath(QLatin1String(window.form) + QStringLiteral(".png")));
    return failures == 0 ? 0 : 1;
}
