// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/options/form4.h"

#include "app/program.h"
#include "ui/assistant/fassist2.h"

namespace korvo {

Form4::Form4(Program& program)
    : FolderBrowser(program, {"Form4", forms::rgb(0, 0, 255), 4725, 3795, {120, 4560, 2415, 285}}) {
}

void Form4::File1_PathChange() {
    Text2.setText("");
    VeraS();
}

void Form4::deliver(const std::string& folder) {
    auto& page = app.form<Fassist2>();
    // A folder confirmed here always lets the page go on, also the root its box shows by design,
    // which is no change of its text.
    if (page.T.text() == folder) {
        page.T_Change();
    } else {
        page.T.setText(folder);
    }
}

}  // namespace korvo
