// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <string>
#include <string_view>

// The captions of the six languages as data. The caption sets walk one of these tables; nothing
// here touches a window.

namespace korvo::i18n {

// One language's captions, in the order the caption set puts them on the windows.
struct CaptionSet {
    std::string_view code;       // the language code, "FR" ... "CHN"
    bool latinFontsFirst;        // runs SetLatinFonts before anything else (Spanish)
    std::string_view fonts;      // the selector handed to SelectUIFonts: "0" or "1"
    int flag;                    // the flag picture copied into Form1.Idr
    std::string_view apply;      // CaptionApply
    std::string_view options;    // CaptionOptions
    std::string_view exit;       // CaptionExit
    std::string_view titleHead;  // Foption's title: titleHead + program title + titleTail
    std::string_view titleTail;
    std::string_view frame2;           // change mode
    std::string_view frame3;           // picture folder
    std::string_view frame1;           // change delay
    std::string_view frame5;           // display style
    std::string_view startWithSystem;  // Foption.Check1 and Fassist3.Check1; names "Windows"
    std::string_view ok;               // Command2
    std::string_view cancel;           // Command3
    std::string_view byDefault;        // Command5
    int languageButton;                // the options dialog's Option2 selected last
};

// French, English, German, Japanese, Spanish, Chinese: the order in which ApplyLanguage tries
// the codes.
extern const std::array<CaptionSet, 6> kCaptionSets;

// The set of a language code, compared exactly (case and blanks count); nullptr for any other
// text.
const CaptionSet* captionSetFor(std::string_view code);

// The options dialog's title in this language for the program title `title`.
std::string optionsTitle(const CaptionSet& set, std::string_view title);

// The captions that name the system are written with "Windows"; Korvo shows the name of the
// system it runs on instead. Every "Windows" in `text` becomes `systemName`.
std::string withSystemName(std::string_view text, std::string_view systemName);

// The design-time captions that name the system, kept until a language is applied.
inline constexpr std::string_view kFoptionCheck1Design = "Start with Windows";
inline constexpr std::string_view kFassist3Check1Design = "Start Korvo when Windows Start";

// The flag pictures of Fsuite.Image1, by flag index: bundled source and natural size in pixels.
struct FlagPicture {
    std::string_view source;
    int width;
    int height;
};
extern const std::array<FlagPicture, 6> kFlagPictures;

}  // namespace korvo::i18n
