#pragma once

#include <string>

#include "ui/forms/control.h"
#include "ui/forms/form.h"

namespace korvo {

class Program;

// The main window: a small borderless window with its own title strip, the picture folder's file
// list, a preview and three buttons. It owns the tray icon.
class Form1 : public forms::Form {
  public:
    explicit Form1(Program& app);

    void Form_Load() override;

    Program& app;
};

}  // namespace korvo
