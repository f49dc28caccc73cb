// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/instance_actions.h"

#include "app/program.h"
#include "engine/fsuite.h"
#include "ui/assistant/assistant_page.h"
#include "ui/main/form1.h"
#include "ui/main/systray.h"

namespace korvo::cli {

forms::Form& windowInUse(Program& app) {
    for (forms::Form* form : app.runtime().forms()) {
        if (form->visible() && dynamic_cast<AssistantPage*>(form)) return *form;
    }
    return app.form<Form1>();
}

void quitProgram(Program& app) {
    if (app.runtime().ended()) return;
    app.runtime().dispatch([&app] { app.form<SysTray>().MnuQuitter_Click(); });
}

void carryOut(Program& app, Request request) {
    if (request == Request::Quit) return quitProgram(app);
    app.runtime().dispatch([&] {
        switch (request) {
            case Request::Start:
            case Request::Show: {
                forms::Form& window = windowInUse(app);
                window.show();
                app.services().window.activate(window);
                break;
            }
            case Request::Next:
                app.form<Fsuite>().G();
                break;
            case Request::Quit:
            case Request::Help:
            case Request::Version:
                break;
        }
    });
}

bool RunningInstance::understands(const std::string& message) const {
    return requestFor(message).has_value();
}

void RunningInstance::carryOut(const std::string& message) {
    if (const auto request = requestFor(message)) cli::carryOut(app_, *request);
}

}  // namespace korvo::cli
