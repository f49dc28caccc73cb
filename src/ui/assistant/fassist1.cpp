// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/assistant/fassist1.h"

#include <array>

#include "app/program.h"
#include "i18n/caption_tables.h"
#include "ui/assistant/fassist2.h"

namespace korvo {

namespace {

// The page's language buttons, left to right on screen; the flag pictures come in the same order.
constexpr std::array<const char*, 6> kPageCodes = {"FR", "EN", "DE", "JP", "ESP", "CHN"};

// The row of flags, and the buttons under them, stand one margin in from the panel's edge: flush
// with it, the French flag's blue stripe ran into the page's blue margin and the flag looked cut.
constexpr int RowInset = 120;

// The button under a flag: the French flag carries the highest index but stands first.
int buttonUnderFlag(int flag) {
    return flag == 6 ? 0 : flag;
}

forms::Picture picture(std::string_view source, int width, int height) {
    return std::make_shared<forms::PictureData>(
        forms::PictureData{std::string(source), width, height});
}

}  // namespace

Fassist1::Fassist1(Program& program)
    : AssistantPage(program, {"Fassist1", forms::rgb(0, 0, 255), 4425, 4905,
                              forms::rgb(255, 255, 255), 4695, "Continue >"}),
      Image1(6,
             [this](int i) {
                 const int button = buttonUnderFlag(i + 1);
                 auto flag = std::make_unique<forms::Image>(
                     Picture1, "Image1", forms::Rect{RowInset + 600 * button, 3120, 495, 375}, true,
                     i + 1);
                 const auto& art = i18n::kFlagPictures[static_cast<std::size_t>(button)];
                 flag->setPicture(picture(art.source, art.width, art.height));
                 flag->setMousePointer(HandPointer);
                 return flag;
             }),
      Option1(6, [this](int i) {
          auto option = std::make_unique<forms::OptionButton>(
              Picture1, "Option1", forms::Rect{RowInset + 120 + 600 * i, 3600, 255, 255}, "Option1",
              i);
          option->setBackColor(forms::rgb(255, 255, 255));
          return option;
      }) {
    Image2.setPicture(picture(":illustration.png", 194, 174));
    Is1.setPicture(picture(":logo.gif", 92, 80));
    forms::Font title{"Arial", 12, 0};
    title.bold = true;
    Label1.setFont(title);

    for (int index = 1; index <= 6; ++index)
        flag(index).onClick = [this, index] { Image1_Click(index); };
    for (int index = 0; index < 6; ++index)
        Option1[index].onClick = [this, index] { Option1_Click(index); };
    dragsWindow(Image2);
    dragsWindow(Is1);
}

void Fassist1::Option1_Click(int Index) {
    if (Index >= 0 && Index <= 5) app.AssistLang = kPageCodes[static_cast<std::size_t>(Index)];
    C1.setCaption("Continue >");
    C1.setEnabled(true);
}

void Fassist1::Image1_Click(int Index) {
    if (Index >= 1 && Index <= 6) {
        const int button = buttonUnderFlag(Index);
        app.AssistLang = kPageCodes[static_cast<std::size_t>(button)];
        Option1[button].select();
    }
    C1.setCaption("Continue >");
    C1.setEnabled(true);
}

void Fassist1::C1_Click() {
    // The font routines load the folder page hidden whenever a language is applied, at start-up
    // too, long before a language is picked here: its captions follow the pick when it is shown.
    auto& folderPage = app.form<Fassist2>();
    folderPage.SetCaptions();
    folderPage.show();
    hide();
}

}  // namespace korvo
