// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <string_view>

// The fixed lists of the font routines: which forms get which font, in which order. The routines
// that walk the forms are written over these.

namespace korvo::i18n {

inline constexpr std::string_view kUIFace = "MS UI Gothic";
inline constexpr std::string_view kLatinFace = "MS Sans Serif";
// The size goes to the controls as text and is read under the user's number format, so a
// format that cannot read it leaves the size alone.
inline constexpr std::string_view kUISize = "9.75";
inline constexpr int kCharsetWestern = 0;     // ANSI_CHARSET
inline constexpr int kCharsetJapanese = 128;  // SHIFTJIS_CHARSET, also for Spanish and Chinese

// SetUIFontsWestern and SetUIFontsJapanese: every control of each form, forms in this order.
struct UIFontRoutine {
    std::string_view face;
    std::string_view size;
    int charset;
    std::array<std::string_view, 6> forms;
};
extern const UIFontRoutine kWesternFonts;
extern const UIFontRoutine kJapaneseFonts;

// The routine SelectUIFonts runs for a selector: "0" Western, "1" Japanese, anything else none.
const UIFontRoutine* uiFontsFor(std::string_view selector);

// One target of SetLatinFonts: its first pass sets the face of all of them, its second pass the
// character set of those with setsCharset.
struct LatinFontTarget {
    std::string_view form;
    std::string_view control;  // empty: the form's own font
    int index;                 // element of a control array; -1 for a single control
    bool setsCharset;
};
extern const std::array<LatinFontTarget, 15> kLatinFontTargets;

}  // namespace korvo::i18n
