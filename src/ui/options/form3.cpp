// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/options/form3.h"

#include "app/program.h"
#include "i18n/language.h"
#include "ui/options/foption.h"

namespace korvo {

Form3::Form3(Program& program)
    : forms::Form(program.runtime(), "Form3"),
      Option2(6,
              [this](int i) {
                  return std::make_unique<forms::OptionButton>(
                      *this, "Option2", forms::Rect{}, LanguageCodes[static_cast<std::size_t>(i)],
                      i);
              }),
      Cquit(2,
            [this](int i) {
                return std::make_unique<forms::CommandButton>(*this, "Cquit", forms::Rect{},
                                                              std::string{}, i);
            }),
      Option1(3,
              [this](int i) {
                  return std::make_unique<forms::OptionButton>(*this, "Option1", forms::Rect{},
                                                               std::string{}, i);
              }),
      app(program) {
    setCaption("Form3");
    setIcon(std::make_shared<forms::PictureData>(forms::PictureData{":korvo.png", 64, 64}));
    for (auto& button : Option2) {
        const int index = button->index();
        button->onClick = [this, index] { Option2_Click(index); };
    }
}

void Form3::Form_Load() {
    // At start-up this runs inside the options dialog's first loader run, which created this form
    // through the language it applies: the second run completes first, and changes nothing the
    // first would not.
    app.form<Foption>().initio();
}

void Form3::Option2_Click(int Index) {
    if (Index >= 0 && Index < static_cast<int>(LanguageCodes.size()))
        app.CurrentLang = LanguageCodes[static_cast<std::size_t>(Index)];
}

void Form3::pll() {
    Option2[languageIndex(app.CurrentLang).value_or(0)].select();
}

void Form3::LLp() {
    for (auto& button : Option2) {
        if (button->value()) {
            app.CurrentLang = LanguageCodes[static_cast<std::size_t>(button->index())];
            return;
        }
    }
    app.CurrentLang = "EN";
}

}  // namespace korvo
