// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

#include "ui/assistant/assistant_page.h"

namespace korvo {

// The assistant's second page: the picture folder, the default one beside the program or one
// picked in the folder browser Form4. The folder is taken as text, unchecked.
class Fassist2 : public AssistantPage {
  public:
    explicit Fassist2(Program& app);

    void Form_Load() override;
    // The captions of the language picked on the first page: French for "FR", English otherwise.
    void SetCaptions();
    void Cv_Click();
    void Cv2_Click();
    void T_Change();
    void C1_Click() override;

    // The subfolder "fond" of the program folder, ending with the separator.
    std::string DefaultFolder() const;

    forms::Image Is1{Picture1, "Is1", {1200, 0, 1575, 1335}};
    forms::Label Label1{Picture1, "Label1", {120, 1440, 4095, 735}, "Choose the Wallpapers Folder"};
    forms::Frame Frame1{Picture1, "Frame1", {120, 2160, 3975, 735}, "By Default"};
    forms::Label Label3{Frame1, "Label3", {120, 360, 3735, 255}};
    forms::CommandButton Cv{Picture1, "Cv", {120, 2880, 975, 375}};
    forms::CommandButton Cv2{Picture1, "Cv2", {1080, 2880, 975, 375}};
    forms::Frame Frame2{Picture1, "Frame2", {120, 3360, 3975, 615}, "New folder"};
    forms::TextBox T;  // design text: the root of the system drive
    forms::Label Label4{Picture1, "Label4", {960, 4200, 1815, 255}, "Click continue         >>>>"};
};

}  // namespace korvo
