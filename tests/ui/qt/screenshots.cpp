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

// The folder above the sample pictures, which has folders for the browsers to show.
std::string above(const std::string& folder) {
    const std::filesystem::path path = std::filesystem::absolute(korvo::toPath(folder));
    return korvo::fromPath(path.parent_path().parent_path());
}

// Every window shown in the language `code`, the browsers in the folder above the pictures.
void showInLanguage(Program& p, const char* code) {
    korvo::testing::showInLanguage(p, code);
    p.runtime().dispatch([&] {
        p.form<korvo::Form5>().Dir1.setPath(above(p.FolderPath));
        p.form<korvo::Form4>().Dir1.setPath(above(p.FolderPath));
    });
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
        std::filesystem::is_directory(samples) ? samples : "Null", "EN", "0"));
    // The folder page shows the sample folder beside the program as an installed Korvo has it,
    // not this run's temporary folder; the settings stay there.
    korvo::Services& services = program.app().services();
    services.settingsFolder = services.programFolder;
    services.programFolder = "/usr/lib/korvo";
    program.start();

    int failures = 0;
    const auto shoot = [&](const char* name, const QString& file) {
        korvo::forms::Form* form = korvo::testing::loadedForm(program.app(), name);
        if (form) program.app().runtime().dispatch([&] { form->show(); });
        QWidget* shown = form ? program.view().window(*form) : nullptr;
        if (shown) QApplication::processEvents();
        // Where the focus is depends on the window manager's timing: the pictures show none.
        if (QWidget* focused = shown ? shown->focusWidget() : nullptr) focused->clearFocus();
        if (shown && shown->grab().save(file)) {
            std::printf("%s\n", qPrintable(file));
        } else {
            std::fprintf(stderr, "korvo_qt_screenshots: cannot draw %s\n", name);
            ++failures;
        }
        if (form) program.app().runtime().dispatch([&] { form->hide(); });
    };
    // Every window in every language, then each in English on its own for the documents.
    for (const char* code : korvo::LanguageCodes) {
        showInLanguage(program.app(), code);
        for (const char* name : korvo::testing::shownForms())
            shoot(name, QDir(output).filePath(QStringLiteral("languages/%1-%2.png")
                                                  .arg(QLatin1String(name), QLatin1String(code))));
    }
    showInLanguage(program.app(), "EN");
    for (const char* name : korvo::testing::shownForms())
        shoot(name, QDir(output).filePath(QLatin1String(name) + QStringLiteral(".png")));
    return failures == 0 ? 0 : 1;
}
