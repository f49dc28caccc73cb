// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/assistant/assistant_page.h"

#include "app/program.h"
#include "ui/forms/runtime.h"

namespace korvo {

AssistantPage::AssistantPage(Program& program, const Look& look)
    : forms::Form(program.runtime(), look.name),
      Picture1(*this, "Picture1", {120, 120, 4215, look.panelHeight}),
      C1(Picture1, "C1", {2760, 4080, 1335, 375}, look.continueCaption),
      Label2(Picture1, "Label2", {120, 4080, 375, 495}, "X"),
      app(program) {
    setBorderStyle(forms::BorderStyle::None);
    setBackColor(look.background);
    // First shown in the middle of the screen; afterwards wherever the user drags the page. The
    // model keeps the middle of the primary screen for what reads it.
    setStartUpPosition(forms::StartUpPosition::CenterScreen);
    forms::WindowServices& screen = program.services().window;
    const int screenWidth = screen.screenWidth(), screenHeight = screen.screenHeight();
    if (screenWidth > 0 && screenHeight > 0) {
        setRect({(screenWidth - look.width) / 2, (screenHeight - look.height) / 2, look.width,
                 look.height});
    } else {
        setRect({0, 0, look.width, look.height});
    }
    // What the task bar and the window switcher show: the program, not the page's code name.
    setCaption(program.services().appTitle);
    Picture1.setBackColor(look.panel);
    C1.setEnabled(false);
    Label2.setForeColor(forms::rgb(0, 0, 128));
    Label2.setMousePointer(HandPointer);

    C1.onClick = [this] { C1_Click(); };
    Label2.onClick = [this] { Label2_Click(); };
    dragsWindow(Picture1);
}

void AssistantPage::Form_MouseDown(const forms::MouseEvent&) {
    app.StartWindowDrag(*this);
}

void AssistantPage::Label2_Click() {
    app.runtime().end();
}

void AssistantPage::dragsWindow(forms::Control& control) {
    control.onMouseDown = [this](const forms::MouseEvent&) { app.StartWindowDrag(*this); };
}

}  // namespace korvo
