// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/options/folder_browser.h"

#include "app/program.h"
#include "base/paths.h"
#include "ui/forms/errors.h"
#include "ui/options/foption.h"

namespace korvo {

namespace {

const forms::Color White = forms::rgb(255, 255, 255);

// The result of a folder: a root keeps its one separator, any other folder gets one.
std::string withSeparator(const std::string& folder) {
    if (!folder.empty() && (folder.back() == '/' || folder.back() == separator().back()))
        return folder;
    return folder + separator();
}

}  // namespace

FolderBrowser::FolderBrowser(Program& program, const Look& look)
    : forms::Form(program.runtime(), look.name),
      Text2(*this, "Text2", look.resultBox, "Text2"),
      app(program) {
    setCaption("Explorer for Korvo");
    setBorderStyle(forms::BorderStyle::FixedDialog);
    setBackColor(look.background);
    setRect({0, 0, look.width, look.height});
    setIcon(std::make_shared<forms::PictureData>(forms::PictureData{":korvo.png", 64, 64}));
    Drive1.setBackColor(forms::rgb(128, 128, 128));
    Drive1.setForeColor(White);
    Dir1.setBackColor(forms::rgb(192, 192, 192));
    File1.setBackColor(forms::rgb(64, 64, 64));
    File1.setForeColor(White);
    Command1.setDefault(true);
    Command2.setCancel(true);

    Drive1.onChange = [this] { Drive1_Change(); };
    Dir1.onChange = [this] { Dir1_Change(); };
    File1.onPathChange = [this] { File1_PathChange(); };
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
}

void FolderBrowser::Form_Load() {
    forms::FileSystem& files = app.runtime().files();
    Drive1.setDrive(files.systemDrive());
    // The folder list opens where the user keeps pictures, when the platform knows such a place.
    const std::string start = files.startFolder();
    if (!start.empty()) forms::succeeds([&] { Dir1.setPath(start); });
}

void FolderBrowser::Drive1_Change() {
    if (restoringDrive_ || opens(Drive1.drive())) return;
    // A drive that is not ready: the lists stay on the drive and folder they show. When they show
    // none yet (the browser opening on it), the first drive that opens takes its place, so the
    // drive box never stands blank nor names a drive the lists are not on.
    if (shownDrive_.empty()) {
        for (const std::string& drive : Drive1.items()) {
            if (opens(drive)) break;
        }
    }
    if (shownDrive_.empty()) return;  // no drive opens: the box keeps the one asked for
    restoringDrive_ = true;
    Drive1.setDrive(shownDrive_);
    restoringDrive_ = false;
}

bool FolderBrowser::opens(const std::string& drive) {
    return forms::succeeds([&] {
        Dir1.setPath(drive);
        shownDrive_ = drive;
    });
}

void FolderBrowser::Dir1_Change() {
    // A folder that cannot be listed leaves the file list, and so the result, as they were.
    forms::succeeds([&] { File1.setPath(Dir1.path()); });
}

void FolderBrowser::File1_PathChange() {
    VeraS();
}

void FolderBrowser::VeraS() {
    Text2.setText(withSeparator(Dir1.path()));
}

void FolderBrowser::Command1_Click() {
    // Before any change of folder the box still holds its design text; the folder the list shows
    // is what the user sees and confirms.
    if (Text2.text() == "Text2") VeraS();
    deliver(Text2.text());
    hide();
}

void FolderBrowser::Command2_Click() {
    hide();
}

Form5::Form5(Program& program)
    : FolderBrowser(program, {"Form5", forms::rgb(0, 0, 128), 4755, 3825, {240, 4800, 4335, 285}}) {
}

void Form5::deliver(const std::string& folder) {
    app.form<Foption>().Text2.setText(folder);
}

}  // namespace korvo
