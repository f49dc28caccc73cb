// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/main/form1.h"

#include <cmath>

#include "app/program.h"
#include "base/paths.h"
#include "engine/form2.h"
#include "i18n/notices.h"
#include "ui/forms/errors.h"
#include "ui/forms/runtime.h"
#include "ui/main/systray.h"
#include "ui/options/foption.h"

namespace korvo {

namespace {

const forms::Color White = forms::rgb(255, 255, 255);

forms::Font boldFont(const char* face, double size) {
    forms::Font font{face, size, 0};
    font.bold = true;
    return font;
}

}  // namespace

Form1::Form1(Program& program) : forms::Form(program.runtime(), "Form1"), app(program) {
    setBorderStyle(forms::BorderStyle::None);
    setRect({0, 0, 6345, 4995});
    setBackColor(forms::rgb(128, 128, 128));
    setIcon(std::make_shared<forms::PictureData>(forms::PictureData{":korvo.png", 64, 64}));
    // Task switchers and the tray host show the title from the first showing on.
    setCaption(program.services().appTitle);

    Picture1.setBackColor(forms::rgb(0, 0, 192));
    LFNa.setForeColor(White);
    LFNa.setFont(boldFont("Lucida Sans Unicode", 8.25));
    Is1.setPicture(std::make_shared<forms::PictureData>(forms::PictureData{":logo.gif", 92, 80}));
    Lchemin.setBackColor(forms::rgb(128, 128, 128));
    Lchemin.setForeColor(White);
    Lchemin.setFont(boldFont("MS Sans Serif", 8.25));
    Fpre.setBackColor(forms::rgb(0, 0, 0));
    Fpre.setForeColor(White);
    Fpre.setFont({"MS Gothic", 9, 0});
    Im1.setBordered(true);
    Fi.setBackColor(forms::rgb(64, 64, 64));
    Fi.setForeColor(White);
    Fi.setFont({"MS Sans Serif", 8.25, 0});

    Fi.onClick = [this] { Fi_Click(); };
    ApK.onClick = [this] { ApK_Click(); };
    Cbas.onClick = [this] { Cbas_Click(); };
    Quitter.onClick = [this] { Quitter_Click(); };
    Coption.onClick = [this] { Coption_Click(); };
    LFNa.onMouseDown = [this](const forms::MouseEvent& e) { LFNa_MouseDown(e); };
    Picture1.onMouseDown = [this](const forms::MouseEvent& e) { Picture1_MouseDown(e); };
}

void Form1::Form_Load() {
    const std::string& title = app.services().appTitle;
    // Taken before the loader puts the captions on, so that If1 never blanks the title.
    AppTitle = title;
    app.form<Foption>().initio();
    TrayIconData.cbSize = 88;
    TrayIconData.uID = 1;
    TrayIconData.uFlags = NifMessage + NifIcon + NifTip;
    TrayIconData.uCallbackMessage = WmMouseMove;
    // The 64-byte tip field: the title, its terminator, then blanks.
    TrayIconData.szTip = title.substr(0, 63) + '\0';
    TrayIconData.szTip.resize(64, ' ');
    app.services().window.addTrayIcon(*this, title.substr(0, 63));
    hide();
    setShowInTaskbar(false);
    app.ApplyLanguage();
    app.SyncStartup();
    LFNa.setCaption(AppTitle);
    ICoM.setPicture(Is1.picture());
    // The loader has usually listed the folder already, when it set the label; list it here
    // only if it has not, so that a large folder is read once at start-up.
    if (Fi.path() != Lchemin.caption()) PointListAtFolder();
}

void Form1::PointListAtFolder() {
    try {
        Fi.setPath(Lchemin.caption());
    } catch (const forms::Error& error) {
        app.services().diagnostics->report("folder not listed", Lchemin.caption(), error.what());
    }
}

void Form1::Form_QueryUnload(int& Cancel, int UnloadMode) {
    // The window manager's close does what the "X" label does: unloading here would take the
    // tray icon, the only way back to the program, and leave a process nobody can reach. With no
    // tray to hide into, the close (and a desktop's Quit, which closes) ends Korvo as the tray
    // menu's Quit would.
    if (UnloadMode == forms::FormControlMenu) {
        Cancel = 1;
        hide();
        if (!app.services().window.hasTray()) {
            app.services().window.removeTrayIcon(*this);
            app.runtime().end();
        }
        return;
    }
    TrayIconData.cbSize = 88;
    TrayIconData.uID = 1;
    app.services().window.removeTrayIcon(*this);
}

void Form1::Form_MouseMove(const forms::MouseEvent& event) {
    const int twips = app.services().window.twipsPerPixelX();
    TrayMessage = static_cast<std::int32_t>(std::lround(event.x / static_cast<float>(twips)));
    if (TrayBusy) return;
    TrayBusy = true;
    if (TrayMessage == WmLButtonUp || TrayMessage == WmRButtonUp) {
        auto& tray = app.form<SysTray>();
        // Returns when the menu has closed; its own loop runs the clock meanwhile.
        popupMenu(tray.MnuFichier, &tray.MnuInfo);
    }
    TrayBusy = false;
}

void Form1::Form_Unload(int&) {
    hide();
}

void Form1::Form_MouseDown(const forms::MouseEvent&) {
    app.StartWindowDrag(*this);
}

void Form1::LFNa_MouseDown(const forms::MouseEvent&) {
    app.StartWindowDrag(*this);
}

void Form1::Picture1_MouseDown(const forms::MouseEvent&) {
    app.StartWindowDrag(*this);
}

void Form1::Cbas_Click() {
    hide();
    TellWhereItWent();
}

void Form1::Quitter_Click() {
    hide();
    TellWhereItWent();
}

void Form1::TellWhereItWent() {
    forms::WindowServices& window = app.services().window;
    if (window.hasTray() || app.HiddenNoticeGiven) return;
    app.HiddenNoticeGiven = true;
    const i18n::HiddenNotice& notice = i18n::hiddenNoticeFor(app.CurrentLang);
    window.showNotice(std::string(notice.summary), std::string(notice.body));
}

void Form1::Coption_Click() {
    auto& options = app.form<Foption>();
    options.initio();
    options.show();
    app.ApplyLanguage();
}

void Form1::ApK_Click() {
    app.CurrentAspect = "0";
    // A change the desktop refuses leaves the former wallpaper; Korvo shows no message boxes.
    forms::succeeds([&] { app.form<Form2>().Change(); });
}

void Form1::Fi_Click() {
    forms::ignoringErrors({
        // One separator between folder and name, whether or not the stored folder ends in one.
        [&] { app.SelectedPicture = joinPath(Lchemin.caption(), Fi.fileName()); },
        [&] { Im1.setPicture(app.runtime().loadPicture(app.SelectedPicture)); },
        [&] { app.CurrentPicture = app.SelectedPicture; },
    });
}

void Form1::If1() {
    setCaption(AppTitle);
    ApK.setCaption(app.CaptionApply);
    Coption.setCaption(app.CaptionOptions);
    Quitter.setCaption(app.CaptionExit);
}

}  // namespace korvo
