// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Korvo.exe: wires the program state, the Windows platform services and the Win32 front end,
// runs Sub Main and waits in the message loop until the program ends itself.

#include <iostream>

#include "app/program.h"
#include "cli/command_line.h"
#include "cli/instance_actions.h"
#include "platform/select.h"
#include "platform/windows/console.h"
#include "ui/forms/win32/scheduler.h"
#include "ui/forms/win32/view.h"
#include "ui/forms/win32/window_services.h"

int main(int argc, char* argv[]) {
    using namespace korvo;
    const platform::Environment env = platform::Environment::fromProcess();
    // One Korvo per user session: the command line is answered, and a second start hands over,
    // before any window exists; the answers go to the console Korvo.exe was started from.
    const cli::CommandLine line = cli::parseCommandLine({argv + 1, argv + argc});
    const auto answer = [&](InstanceChannel& channel) {
        const platform::StartersConsole console;
        return cli::answerWithoutWindow(line, channel, KORVO_VERSION, std::cout, std::cerr);
    };
    if (const int status = answer(*platform::makeInstanceChannel(env)); status >= 0) return status;

    const platform::ProgramServices system = platform::makeProgramServices(env);
    win32::Scheduler scheduler;
    win32::WindowServices window;
    Program program(system.bundle(scheduler, window));
    win32::View view(program.runtime(), window);
    cli::RunningInstance running(program);
    const auto channel = platform::makeInstanceChannel(env);
    if (channel->listen(scheduler, running) == InstanceChannel::Claim::TakenByAnother) {
        // Another start won the race in the meantime: hand over as if it had been first.
        return answer(*channel) == 0 ? 0 : 1;
    }
    platform::restoreWallpaper(env);

    program.runtime().dispatch([&program] { program.SubMain(); });
    return win32::runMessageLoop(program.runtime());
}
