#include "engine/form6.h"

#include "app/program.h"
#include "engine/fsuite.h"
#include "engine/time_of_day.h"

namespace korvo {

namespace {

// A tick skipped under load may see the stored second already passed; within this window it
// still counts as that second's change.
constexpr int LateTickWindow = 60;

}  // namespace

Form6::Form6(Program& program) : forms::Form(program.runtime(), "Form6"), app(program) {
    T1000.onTimer = [this] { T1000_Timer(); };
}

void Form6::T1000_Timer() {
    const auto target = engine::parseTimeOfDay(app.TimeSetting);
    if (!target) return;
    const LocalTime now = app.services().clock();
    const int seconds = now.hour * 3600 + now.minute * 60 + now.second;
    const int today = now.year * 10000 + now.month * 100 + now.day;
    const int late = seconds - *target;
    if (late < 0 || late >= LateTickWindow || today == lastChangeDay_) return;
    lastChangeDay_ = today;
    Changy24();
}

void Form6::Changy24() {
    app.form<Fsuite>().G();
}

}  // namespace korvo
