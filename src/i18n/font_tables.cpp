// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "i18n/font_tables.h"

namespace korvo::i18n {

const UIFontRoutine kWesternFonts{
    kUIFace,
    kUISize,
    kCharsetWestern,
    {"Form1", "Fassist1", "Fassist2", "Fassist3", "Foption", "Fabout"}};

const UIFontRoutine kJapaneseFonts{
    kUIFace,
    kUISize,
    kCharsetJapanese,
    {"Form1", "Foption", "Fabout", "Fassist1", "Fassist2", "Fassist3"}};

const UIFontRoutine* uiFontsFor(std::string_view selector) {
    if (selector == "0") return &kWesternFonts;
    if (selector == "1") return &kJapaneseFonts;
    return nullptr;
}

// Fabout.Label1 sits between the Cquit and Option1 entries of Form3 on purpose: the order is the
// order of the assignments. The settings page's two frames get the face only.
const std::array<LatinFontTarget, 15> kLatinFontTargets{{
    {"Form1", "", -1, true},
    {"Form3", "", -1, true},
    {"Form3", "Label1", -1, true},
    {"Form3", "Label2", -1, true},
    {"Form3", "Label3", -1, true},
    {"Form3", "Label4", -1, true},
    {"Form3", "Check1", -1, true},
    {"Form3", "Cquit", 0, true},
    {"Form3", "Cquit", 1, true},
    {"Fabout", "Label1", -1, true},
    {"Form3", "Option1", 1, true},
    {"Form3", "Option1", 2, true},
    {"Fassist3", "Check1", -1, true},
    {"Fassist3", "Frame1", -1, false},
    {"Fassist3", "Frame2", -1, false},
}};

}  // namespace korvo::i18n
