// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/fsuite.h"

#include "app/program.h"
#include "base/text.h"
#include "engine/form2.h"
#include "i18n/caption_tables.h"
#include "ui/forms/errors.h"
#include "ui/main/form1.h"

namespace korvo {

Fsuite::Fsuite(Program& program)
    : forms::Form(program.runtime(), "Fsuite"),
      Image1(6,
             [this](int i) {
                 // The flags, in the order French, English, German, Japanese, Spanish, Chinese.
                 auto flag =
                     std::make_unique<forms::Image>(*this, "Image1", forms::Rect{}, true, i);
                 const auto& picture = i18n::kFlagPictures[static_cast<std::size_t>(i)];
                 flag->setPicture(std::make_shared<forms::PictureData>(forms::PictureData{
                     std::string(picture.source), picture.width, picture.height}));
                 return flag;
             }),
      app(program) {
    T01.onTimer = [this] { T01_Timer(); };
}

void Fsuite::G() {
    auto& Fi = app.form<Form1>().Fi;
    const int last = Fi.listCount() - 1;
    const int current = Fi.listIndex();
    forms::ignoringErrors({
        [&] { Fi.setListIndex(current + 1); },
        [&] {
            if (last == current) Fi.setListIndex(0);
        },
        [&] { app.form<Form2>().Change(); },
    });
}

void Fsuite::T01_Timer() {
    app.ElapsedSeconds += 1;
    const auto target = text::asNumber(app.CounterTarget);
    if (target && app.ElapsedSeconds == *target) bon();
}

void Fsuite::Tpro(const std::string& ms) {
    app.CounterTarget = ms;
    T01.setEnabled(true);
    app.ElapsedSeconds = 0;
}

void Fsuite::bon() {
    T01.setEnabled(false);
    G();
    app.ElapsedSeconds = 0;
}

}  // namespace korvo
