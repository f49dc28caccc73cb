// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Renders Korvo's windows to PNG files on Qt's offscreen platform, for the documentation:
//   korvo_qt_screenshots OUTPUT_FOLDER [RESOURCES_FOLDER]
// Each window is drawn from its model alone, as the running program draws it.

#include <QApplication>
#include <QDir>
#include <QWidget>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "i18n/language.h"
#include "qt_program.h"
#include "ui/about/fabout.h"
#include "ui/assistant/fassist1.h"
#include "ui/assistant/fassist2.h"
#include "ui/assistant/fassist3.h"
#include "ui/main/form1.h"
#include "ui/options/folder_browser.h"
#include "ui/options/foption.h"

namespace {

using korvo::Program;

struct Shot {
    const char* form;
    // Loads the form and puts it in the state worth showing; runs as one dispatched event.
    std::function<void(Program&)> prepare;
    std::string file = form;  // the picture's name, without ".png"
};

// One line a window, then the options dialog, the main window and the about box in each
// language, as the stored language puts them.
std::vector<Shot> shots() {
    std::vector<Shot> list = {
        {"Form1", [](Program& p) { p.form<korvo::Form1>().Fi.setListIndex(0); }},
        {"Fassist1", [](Program& p) { p.form<korvo::Fassist1>(); }},
        {"Foption", [](Program& p) { p.form<korvo::Foption>().Option4.select(); }},
        {"Form5", [](Program& p) { p.form<korvo::Form5>().Dir1.setPath(p.FolderPath); }},
        {"Fabout", [](Program& p) { p.form<korvo::Fabout>(); }},
        {"Fassist2", [](Program& p) { p.form<korvo::Fassist2>().Cv2.click(); }},
        {"Fassist3", [](Program& p) { p.form<korvo::Fassist3>(); }},
    };
    for (const char* code : korvo::LanguageCodes) {
        for (const char* form : {"Foption", "Form1", "Fabout"}) {
            // A loaded about box keeps its text: the language reaches it when it loads again.
            const auto applied = [code](Program& p) {
                p.WriteSetting("OPTION", "Lang", code);
                p.ApplyLanguage();
                if (p.isLoaded<korvo::Fabout>()) p.form<korvo::Fabout>().unload();
                p.form<korvo::Fabout>();
            };
            list.push_back({form, applied, std::string("languages/") + form + "-" + code});
        }
    }
    return list;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) return 2;  // usage at the top of this file
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString output = QString::fromLocal8Bit(argv[1]);
    const std::string resources = argc > 2 ? argv[2] : KORVO_RESOURCES_DIR;
    QDir().mkpath(output + "/languages");

    // The sample pictures when they are there, so that the main window has something to list.
    const std::string samples = resources + "/fond/";
    korvo::qt::test::QtProgram program(korvo::qt::test::settingsWith(
        std::filesystem::is_directory(samples) ? samples : "Null", "0"));
    program.start();

    int failures = 0;
    for (const Shot& shot : shots()) {
        program.app().runtime().dispatch([&] { shot.prepare(program.app()); });
        korvo::forms::Form* form = nullptr;
        for (korvo::forms::Form* loaded : program.app().runtime().forms())
            if (loaded->name() == shot.form) form = loaded;
        QWidget* window = form ? program.view().window(*form) : nullptr;
        const QString file = QDir(output).filePath(QString::fromStdString(shot.file) + ".png");
        if (window) form->show(), QApplication::processEvents();
        if (window && window->grab().save(file)) {
            std::printf("%s\n", qPrintable(file));
        } else {
            std::fprintf(stderr, "korvo_qt_screenshots: cannot draw %s\n", shot.form);
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
