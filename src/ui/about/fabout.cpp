#include "ui/about/fabout.h"

#include "app/program.h"

namespace korvo {

Fabout::Fabout(Program& program) : forms::Form(program.runtime(), "Fabout"), app(program) {
    setBorderStyle(forms::BorderStyle::FixedDialog);
    setBackColor(forms::rgb(255, 255, 255));
    setRect({0, 0, 4710, 5100});
}

}  // namespace korvo
