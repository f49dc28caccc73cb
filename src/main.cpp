// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Korvo: wires the program state, the platform services and the Qt front end, runs Sub Main and
// waits in the event loop until the program ends itself.

#include <QGuiApplication>
#include <iostream>

#include "app/program.h"
#include "cli/command_line.h"
#include "cli/instance_actions.h"
#include "platform/select.h"
#include "ui/forms/qt/application.h"
#include "ui/forms/qt/view.h"

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
    qt::Application application(argc, argv);
    // The menu entry installed as <id>.desktop: on Wayland the window's app id, which the desktop
    // matches to that entry for its icon and its actions.
    QGuiApplication::setDesktopFileName(QStringLiteral(KORVO_APP_ID));
    Program program(system.bundle(application.scheduler(), application.window()));
    qt::View view(program.runtime(), application.window());
    cli::RunningInstance running(program);
    const auto channel = platform::makeInstanceChannel(env);
    if (channel->listen(application.scheduler(), running) ==
        InstanceChannel::Claim::TakenByAnother) {
        // Another start won the race in the meantime: hand over as if it had been first.
        return answer(*channel) == 0 ? 0 : 1;
    }
    platform::restoreWallpaper(env);

    // A signal or the end of the desktop session ends Korvo the way "&Quit" does: the tray icon
    // is withdrawn and nothing is written.
    const auto quit = [&program] { cli::quitProgram(program); };
    platform::watchQuitRequests(application.scheduler(), quit);
    application.onSessionEnd(quit);
    program.runtime().dispatch([&program] { program.SubMain(); });
    return application.run(program.runtime());
}
