// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/form6.h"

#include "app/program.h"
#include "engine/change_clock.h"
#include "engine/fsuite.h"

namespace korvo {

Form6::Form6(Program& program) : forms::Form(program.runtime(), "Form6"), app(program) {
    T1000.onTimer = [this] { T1000_Timer(); };
}

void Form6::T1000_Timer() {
    const LocalTime now = app.services().clock();
    if (!clock::dailyChangeDue(app.TimeSetting, now, lastChangeDay_)) return;
    lastChangeDay_ = clock::dayOf(now);
    Changy24();
}

void Form6::Changy24() {
    app.form<Fsuite>().G();
}

}  // namespace korvo
