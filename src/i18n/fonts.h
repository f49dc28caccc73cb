// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

namespace korvo {

class Program;

// The font routines the caption sets run before writing their texts, so that Japanese and
// Chinese captions are drawn with a face that has their characters.

// "0": SetUIFontsWestern; "1": SetUIFontsJapanese; anything else: nothing.
void SelectUIFonts(Program& app, const std::string& code);
// Every control of the six windows (loaded hidden first if need be) gets "MS UI Gothic" 9.75 pt
// with the routine's character set; a control without a font is passed over.
void SetUIFontsWestern(Program& app);
void SetUIFontsJapanese(Program& app);
// A fixed list of fonts on the main window, the option form, the about box and the settings page
// gets the Latin face; all but the settings page's two frames also the Western character set.
void SetLatinFonts(Program& app);

}  // namespace korvo
