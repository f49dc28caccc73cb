// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Korvo: wires the program state, the platform services and the desktop shell, runs Sub Main and
// waits in the event loop until the program ends itself. The windows' toolkit is loaded only when
// the first window is shown: a Korvo in the tray maps no window toolkit at all.

#include <iostream>

#include "app/program.h"
#include "cli/command_line.h"
#include "cli/instance_actions.h"
#include "platform/linux/desktop_shell.h"
#include "platform/linux/glib_loop.h"
#include "platform/select.h"

int main(int argc, char* argv[]) {
    using namespace korvo;
    const platform::Environment env = platform::Environment::fromProcess();
    // One Korvo per user session: the command line is answered, and a second start hands over,
    // before any window exists.
    const cli::CommandLine line = cli::parseCommandLine({argv + 1, argv + argc});
    const auto answer = [&](InstanceChannel& channel) {
        return cli::answerWithoutWindow(line, channel, KORVO_VERSION, std::cout, std::cerr);
    };
    if (const int status = answer(*platform::makeInstanceChannel(env)); status >= 0) return status;
    if (const auto missing = platform::missingDisplay(env)) {
        std::cerr << "korvo: " << *missing << '\n';
        return 1;
    }

    const platform::ProgramServices system = platform::makeProgramServices(env);
    platform::GlibLoop loop;
    platform::DesktopShell shell(env, loop, system.programFolder + "/korvo-qt.so", argc, argv);
    Program program(system.bundle(loop, shell));
    const auto quit = [&program] { cli::quitProgram(program); };
    const auto attached = shell.attach(program.runtime(), quit);
    cli::RunningInstance running(program);
    const auto channel = platform::makeInstanceChannel(env);
    if (channel->listen(loop, running) == InstanceChannel::Claim::TakenByAnother) {
        // Another start won the race in the meantime: hand over as if it had been first.
        return answer(*channel) == 0 ? 0 : 1;
    }
    platform::restoreWallpaper(env);

    // A signal or the end of the desktop session ends Korvo the way "&Quit" does: the tray icon
    // is withdrawn and nothing is written.
    platform::watchQuitRequests(loop, quit);
    program.runtime().dispatch([&program] { program.SubMain(); });
    return program.runtime().ended() ? 0 : loop.run();
}
