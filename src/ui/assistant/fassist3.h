// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/assistant/assistant_page.h"

namespace korvo {

// The assistant's last page: change mode, delay, display style and start with the system. Its
// Continue writes the whole first set of settings and starts normal operation.
class Fassist3 : public AssistantPage {
  public:
    explicit Fassist3(Program& app);

    void Form_Load() override;
    void Option1_Click(int Index);
    void Combo1_Click();
    void Combo2_Change();
    void Combo2_Click();
    void Check1_Click();
    void C1_Click() override;

    forms::Label Label1{Picture1, "Label1", {0, 0, 4095, 735}, "Change options"};
    forms::Image Is1{Picture1, "Is1", {2400, 0, 1575, 1335}};
    forms::ControlArray<forms::OptionButton> Option1;  // 0 "Auto-change", 1 "No-Change"
    forms::Frame Frame1{Picture1, "Frame1", {120, 1800, 3975, 975}, "frequency and delay"};
    forms::ComboBox Combo1{Frame1, "Combo1", {1920, 480, 1935, 300}};
    forms::Frame Frame2{Picture1, "Frame2", {120, 2760, 3975, 855}, "Screen Property"};
    forms::ComboBox Combo2{Frame2, "Combo2", {1920, 360, 1935, 285}};
    forms::CheckBox Check1;
};

}  // namespace korvo
