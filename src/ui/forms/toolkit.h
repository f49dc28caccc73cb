// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

#include "ui/forms/services.h"

namespace korvo::forms {

class Runtime;

// A window toolkit attached to a program that is already running: loaded when the first window
// is needed, it draws the loaded forms from the model as they are at that moment and follows the
// model from then on.
class Toolkit {
  public:
    virtual ~Toolkit() = default;
    // What only a window toolkit does: popup menus it draws, window drags, raising windows.
    virtual WindowServices& windows() = 0;
    // The toolkit's own event loop, which takes over the program's until the program ends.
    virtual int run() = 0;
};

// The entry point a toolkit module exports (extern "C", under this name): attaches the toolkit to
// `runtime`. `shell` answers what the toolkit leaves to the program (the tray, notices);
// `sessionEnds` runs when the toolkit hears that the desktop session ends.
using AttachToolkit = Toolkit* (*)(Runtime& runtime, WindowServices& shell,
                                   const std::function<void()>& sessionEnds, int& argc,
                                   char** argv);
inline constexpr const char* AttachToolkitSymbol = "korvo_attach_toolkit";

}  // namespace korvo::forms
