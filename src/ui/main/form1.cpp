#include "ui/main/form1.h"

#include "app/program.h"

namespace korvo {

Form1::Form1(Program& program) : forms::Form(program.runtime(), "Form1"), app(program) {
    setBorderStyle(forms::BorderStyle::None);
    setRect({0, 0, 6345, 4995});
    setBackColor(forms::rgb(128, 128, 128));
}

void Form1::Form_Load() {
    hide();
}

}  // namespace korvo
