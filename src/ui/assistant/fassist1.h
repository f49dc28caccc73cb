// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/assistant/assistant_page.h"

namespace korvo {

// The assistant's first page: the language. The choice stays in AssistLang until the last page
// writes it; the page's own texts stay English whatever is picked.
class Fassist1 : public AssistantPage {
  public:
    explicit Fassist1(Program& app);

    void Option1_Click(int Index);
    void Image1_Click(int Index);
    void C1_Click() override;

    // Flag `Index`, 1 to 6; flag 6 is French, leftmost on screen.
    forms::Image& flag(int Index) { return Image1[Index - 1]; }

    forms::Image Image2{Picture1, "Image2", {0, 0, 2055, 1935}, true};
    forms::Image Is1{Picture1, "Is1", {1920, 840, 1935, 1695}};
    forms::Label Label1{Picture1, "Label1", {0, 2760, 3255, 375}, "Choose your language !!"};
    forms::ControlArray<forms::Image> Image1;          // indices 1 to 6, reached through flag()
    forms::ControlArray<forms::OptionButton> Option1;  // indices 0 to 5, one under each flag
};

}  // namespace korvo
