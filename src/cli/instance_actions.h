#pragma once

#include "cli/command_line.h"

namespace korvo {
class Program;
namespace forms {
class Form;
}
}  // namespace korvo

namespace korvo::cli {

// What the running instance does for a request another start sent it. Each runs inside one
// Runtime::dispatch, as a click does. Returns the window that was shown (for the front end to
// raise), or nullptr.
forms::Form* carryOut(Program& app, Request request);

// The window a hand-over brings forward: the assistant page the user is on, when one is open,
// else the main window.
forms::Form& windowInUse(Program& app);

// The tray menu's Quit: the main window is unloaded (which removes the tray icon) and the
// program ends at once; nothing else is unloaded or saved.
void quitProgram(Program& app);

}  // namespace korvo::cli
