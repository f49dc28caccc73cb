// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>

#include "ui/forms/control.h"
#include "ui/forms/form.h"

namespace korvo {

class Program;

// The hidden window that holds the wallpaper operation.
class Form2 : public forms::Form {
  public:
    explicit Form2(Program& app);

    // Makes Filename the wallpaper with the display style (0 centred, 1 tiled, 2 stretched).
    // The first step the desktop refuses raises an Error and skips the rest.
    void SetWallpaper(const std::string& Filename, std::int32_t Wallpaperstyle, bool ForceEnable);
    // CurrentPicture with CurrentAspect.
    void Byo();
    void Change();

    void Form_QueryUnload(int& Cancel, int UnloadMode) override;

    // Holders the assistant uses on the way to the settings file.
    forms::TextBox Text1{*this, "Text1", {}};
    forms::TextBox Text2{*this, "Text2", {}};
    forms::TextBox Text3{*this, "Text3", {}};
    forms::TextBox Text4{*this, "Text4", {}};
    forms::TextBox Text5{*this, "Text5", {}};

    Program& app;
};

}  // namespace korvo
