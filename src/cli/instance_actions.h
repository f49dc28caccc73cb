// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

#include "cli/command_line.h"
#include "services/instance_channel.h"

namespace korvo {
class Program;
namespace forms {
class Form;
}
}  // namespace korvo

namespace korvo::cli {

// What the running instance does for a request another start sent it, inside one
// Runtime::dispatch as a click does. A window it shows is also brought to the front.
void carryOut(Program& app, Request request);

// The window a hand-over brings forward: the assistant page the user is on, when one is open,
// else the main window.
forms::Form& windowInUse(Program& app);

// The tray menu's Quit: the main window is unloaded (which removes the tray icon) and the
// program ends at once; nothing else is unloaded or saved. Does nothing once the program ended.
void quitProgram(Program& app);

// The running instance's side of the hand-over: the messages of the command line, carried out
// on the program.
class RunningInstance final : public InstanceChannel::Receiver {
  public:
    explicit RunningInstance(Program& app) : app_(app) {}
    bool understands(const std::string& message) const override;
    void carryOut(const std::string& message) override;

  private:
    Program& app_;
};

}  // namespace korvo::cli
