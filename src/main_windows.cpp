// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Korvo.exe: wires the program state, the Windows platform services and the Win32 front end,
// runs Sub Main and waits in the message loop until the program ends itself.

#include "app/program.h"
#include "platform/select.h"
#include "ui/forms/win32/scheduler.h"
#include "ui/forms/win32/view.h"
#include "ui/forms/win32/window_services.h"

int main() {
    using namespace korvo;
    const platform::Environment env = platform::Environment::fromProcess();
    const platform::ProgramServices system = platform::makeProgramServices(env);
    win32::Scheduler scheduler;
    win32::WindowServices window;
    Program program(system.bundle(scheduler, window));
    win32::View view(program.runtime(), window);
    platform::restoreWallpaper(env);
    program.runtime().dispatch([&program] { program.SubMain(); });
    return win32::runMessageLoop(program.runtime());
}
