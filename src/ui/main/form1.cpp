#include "ui/main/form1.h"

#include "app/program.h"
#include "base/paths.h"
#include "engine/form2.h"
#include "ui/forms/errors.h"
#include "ui/forms/runtime.h"
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
    setCaption("Form1");

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
    app.form<Foption>().initio();
    app.services().window.addTrayIcon(*this, app.services().appTitle);
    hide();
    setShowInTaskbar(false);
    app.ApplyLanguage();
    app.SyncStartup();
    AppTitle = app.services().appTitle;
    LFNa.setCaption(AppTitle);
    ICoM.setPicture(Is1.picture());
    // The loader has usually listed the folder already, when it set the label; list it here
    // only if it has not, so that a large folder is read once at start-up.
    if (Fi.path() != Lchemin.caption()) PointListAtFolder();
}

void Form1::PointListAtFolder() {
    forms::succeeds([&] { Fi.setPath(Lchemin.caption()); });
}

void Form1::Form_QueryUnload(int&, int) {
    app.services().window.removeTrayIcon(*this);
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
}

void Form1::Quitter_Click() {
    hide();
}

void Form1::Coption_Click() {
    Foption& options = app.form<Foption>();
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
