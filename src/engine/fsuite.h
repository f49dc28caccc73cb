// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

#include "ui/forms/control.h"
#include "ui/forms/form.h"

namespace korvo {

class Program;

// The hidden window of the rotation: which picture comes next, the counting timer, and the six
// flag pictures.
class Fsuite : public forms::Form {
  public:
    explicit Fsuite(Program& app);

    // Selects the next entry of the main window's list, wrapping to the first, and applies it.
    void G();
    void T01_Timer();
    void Tpro(const std::string& ms);
    void bon();

    // Its interval stays 0 in every mode: the one-second TimerSt alone advances the change
    // count, so that each delay gives exactly one change.
    forms::Timer T01{*this, "T01", 0, true};
    forms::ControlArray<forms::Image> Image1;

    Program& app;
};

}  // namespace korvo
