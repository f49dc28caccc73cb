#include "ui/assistant/fassist1.h"

#include "app/program.h"

namespace korvo {

Fassist1::Fassist1(Program& program) : forms::Form(program.runtime(), "Fassist1"), app(program) {
    setBorderStyle(forms::BorderStyle::None);
    setRect({0, 0, 6840, 4680});
}

}  // namespace korvo
