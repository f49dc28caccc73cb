#pragma once

#include "ui/forms/form.h"

namespace korvo {

class Program;

// The assistant's first page: the language.
class Fassist1 : public forms::Form {
  public:
    explicit Fassist1(Program& app);
    Program& app;
};

}  // namespace korvo
