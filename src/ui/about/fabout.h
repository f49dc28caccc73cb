// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

#include "ui/forms/control.h"
#include "ui/forms/form.h"

namespace korvo {

class Program;

// The guide laid down beside the program: the home page when the build names none.
inline constexpr const char* GuideFile = "guide.html";
// The home page: the address the build names (KORVO_HOME_PAGE), or else the user guide beside
// the program, a page every install has, as a file address.
std::string HomePageAddress(Program& app);
// What the about box shows for it: the address named, or the guide's short name.
std::string HomePageLabel();
// Opens the home page in the user's browser; a page that cannot be opened is no concern of Korvo.
void OpenHomePage(Program& app);

// The about box: the credits of the current language, the build label and the home page.
class Fabout : public forms::Form {
  public:
    explicit Fabout(Program& app);

    void Form_Load() override;
    void Label3_Click();

    forms::Image Is1{*this, "Is1", {0, 0, 1575, 1455}, true};
    forms::Image Image1{*this, "Image1", {2040, 0, 2175, 1695}, true};
    forms::Label Lr{*this, "Lr", {0, 1800, 4695, 255}};
    forms::Label Label1{*this, "Label1", {0, 2280, 4575, 1455}};
    forms::Label Label3{*this, "Label3", {0, 4080, 2415, 375}};
    forms::Label Label2{*this, "Label2", {0, 4680, 1815, 255}};

    Program& app;
};

}  // namespace korvo
