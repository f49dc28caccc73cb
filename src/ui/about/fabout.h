#pragma once

#include "ui/forms/control.h"
#include "ui/forms/form.h"

namespace korvo {

class Program;

// The about box: the credits of the current language, the build label and the home page.
class Fabout : public forms::Form {
  public:
    explicit Fabout(Program& app);

    Program& app;
};

}  // namespace korvo
