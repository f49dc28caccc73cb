#include "ui/about/about_text.h"

#include "app/program.h"

namespace korvo {

// Until the credits are written, each text names its language only.
void SetAboutTextFR(Program& app) {
    app.AboutText = "Korvo";
}

void SetAboutTextEN(Program& app) {
    app.AboutText = "Korvo";
}

void SetAboutTextJP(Program& app) {
    app.AboutText = "Korvo";
}

void SetAboutTextCHN(Program& app) {
    app.AboutText = "Korvo";
}

}  // namespace korvo
