#include "cli/instance_actions.h"

#include "app/program.h"
#include "engine/fsuite.h"
#include "ui/main/form1.h"

namespace korvo::cli {

forms::Form& windowInUse(Program& app) {
    for (forms::Form* form : app.runtime().forms()) {
        if (form->visible() && form->name().rfind("Fassist", 0) == 0) return *form;
    }
    return app.form<Form1>();
}

void quitProgram(Program& app) {
    if (app.isLoaded<Form1>()) app.form<Form1>().unload();
    app.runtime().end();
}

forms::Form* carryOut(Program& app, Request request) {
    forms::Form* shown = nullptr;
    app.runtime().dispatch([&] {
        switch (request) {
            case Request::Start:
            case Request::Show:
                shown = &windowInUse(app);
                shown->show();
                break;
            case Request::Next:
                app.form<Fsuite>().G();
                break;
            case Request::Quit:
                quitProgram(app);
                break;
            case Request::Help:
            case Request::Version:
                break;
        }
    });
    return shown;
}

}  // namespace korvo::cli
