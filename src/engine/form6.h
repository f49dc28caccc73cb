// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/forms/control.h"
#include "ui/forms/form.h"

namespace korvo {

class Program;

// The hidden window of the daily change.
class Form6 : public forms::Form {
  public:
    explicit Form6(Program& app);

    // Once a second: the day's change when the clock has reached the stored time.
    void T1000_Timer();
    void Changy24();

    forms::Timer T1000{*this, "T1000", 1000, true};
    Program& app;

  private:
    // The day of the last daily change (clock::dayOf).
    int lastChangeDay_ = 0;
};

}  // namespace korvo
