// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/forms/control.h"
#include "ui/forms/form.h"

namespace korvo {

class Program;

// What the three assistant pages share: a borderless coloured window with an inner panel that
// leaves a 120-twip margin, the Continue button in the lower right corner, the "X" that ends the
// program in the lower left one, and dragging by a press on the window.
class AssistantPage : public forms::Form {
  public:
    // The pointer shown over what can be clicked: a hand, as over a link.
    static constexpr int HandPointer = 99;

    struct Look {
        const char* name;
        forms::Color background;
        int width, height;  // client area, twips
        forms::Color panel;
        int panelHeight;
        const char* continueCaption;
    };

    AssistantPage(Program& app, const Look& look);

    void Form_MouseDown(const forms::MouseEvent& event) override;
    virtual void C1_Click() = 0;
    // The "X": ends the program at once; nothing is written and no window is unloaded.
    void Label2_Click();

    forms::PictureBox Picture1;
    forms::CommandButton C1;
    forms::Label Label2;

    Program& app;

  protected:
    // A press of any button over `control` moves the window.
    void dragsWindow(forms::Control& control);
};

}  // namespace korvo
