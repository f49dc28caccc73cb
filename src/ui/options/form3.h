// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/forms/control.h"
#include "ui/forms/form.h"

namespace korvo {

class Program;

// The option form: loaded, never shown. Its hidden language buttons remember the language
// applied last, so that "Cancel" in the options dialog can drop a language picked but not saved;
// it also carries the program icon the options dialog takes as its own.
class Form3 : public forms::Form {
  public:
    explicit Form3(Program& app);

    void Form_Load() override;
    void Option2_Click(int Index);
    // Selects the hidden button of CurrentLang (English for anything that is no code).
    void pll();
    // Sets CurrentLang from the hidden selected button (English when none is).
    void LLp();

    forms::ControlArray<forms::OptionButton> Option2;
    // Hidden controls the Spanish caption set gives a Latin font.
    forms::Label Label1{*this, "Label1", {}};
    forms::Label Label2{*this, "Label2", {}};
    forms::Label Label3{*this, "Label3", {}};
    forms::Label Label4{*this, "Label4", {}};
    forms::CheckBox Check1{*this, "Check1", {}};
    forms::ControlArray<forms::CommandButton> Cquit;
    forms::ControlArray<forms::OptionButton> Option1;

    Program& app;
};

}  // namespace korvo
