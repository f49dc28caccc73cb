// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/about/fabout.h"

#include <string_view>

#include "app/program.h"
#include "base/paths.h"
#include "ui/forms/errors.h"

#ifndef KORVO_HOME_PAGE
#error "KORVO_HOME_PAGE is set by the build, empty for the user guide"
#endif

namespace korvo {

namespace {

// A local file as an address a browser opens: "file://", then the path with forward slashes
// ("/C:/Korvo/..." for a drive) and every byte a URL may not hold percent-encoded.
std::string fileAddress(const std::string& path) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string address = "file://";
    if (path.empty() || (path[0] != '/' && path[0] != '\\')) address += '/';
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            address += '/';
        } else if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                   (byte >= '0' && byte <= '9') ||
                   std::string_view("-._~/:").find(c) != std::string_view::npos) {
            address += c;
        } else {
            address += '%';
            address += Hex[byte >> 4];
            address += Hex[byte & 0x0F];
        }
    }
    return address;
}

}  // namespace

std::string HomePageAddress(Program& app) {
    std::string configured = KORVO_HOME_PAGE;
    if (!configured.empty()) return configured;
    return fileAddress(joinPath(app.services().programFolder, GuideFile));
}

std::string HomePageLabel() {
    const std::string configured = KORVO_HOME_PAGE;
    return configured.empty() ? "Korvo's user guide" : configured;
}

void OpenHomePage(Program& app) {
    app.services().window.openAddress(HomePageAddress(app));
}

Fabout::Fabout(Program& program) : forms::Form(program.runtime(), "Fabout"), app(program) {
    const forms::Color white = forms::rgb(255, 255, 255);
    setBorderStyle(forms::BorderStyle::FixedDialog);
    setBackColor(white);
    setRect({0, 0, 4710, 5100});
    Is1.setPicture(std::make_shared<forms::PictureData>(forms::PictureData{":logo.gif", 92, 80}));
    Image1.setPicture(
        std::make_shared<forms::PictureData>(forms::PictureData{":illustration.png", 194, 174}));
    Lr.setBackColor(forms::rgb(192, 255, 255));
    for (forms::Label* label : {&Label1, &Label3, &Label2}) label->setBackColor(white);
    Label3.onClick = [this] { Label3_Click(); };
}

void Fabout::Form_Load() {
    // The language may already be being applied (its font routines load this box); whatever
    // fails there, the box still gets its title and texts.
    forms::succeeds([&] { app.ApplyLanguage(); });
    setCaption("About of " + app.services().appTitle);
    Label1.setCaption(app.AboutText);
    Label2.setCaption("Korvo01-2004-12");
    Label3.setCaption(HomePageLabel());
}

void Fabout::Label3_Click() {
    OpenHomePage(app);
}

}  // namespace korvo
