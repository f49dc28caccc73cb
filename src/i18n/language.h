// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <optional>
#include <string>

namespace korvo {

class Program;

// The language codes by the index of their button in both Option2 groups (the options dialog's
// and the hidden one of Form3). Codes are exact: "en" or "FR " is no code.
inline constexpr std::array<const char*, 6> LanguageCodes = {"EN", "FR", "DE", "JP", "ESP", "CHN"};

// The button index of a code; nullopt for any other text.
std::optional<int> languageIndex(const std::string& code);

// Reads the stored language and puts its captions, fonts and about text on the windows, then
// brings the hidden language buttons and CurrentLang into line. A stored value that is no code
// changes no caption.
void ApplyLanguage(Program& app);

// The caption sets: the captions of one language on the options dialog, the assistant's settings
// page and the main window, ending with the options dialog's language button of that language.
void SetCaptionsFR(Program& app);
void SetCaptionsEN(Program& app);
void SetCaptionsDE(Program& app);
void SetCaptionsJP(Program& app);
void SetCaptionsESP(Program& app);
void SetCaptionsCHN(Program& app);

// Makes sure the main window exists and puts the caption variables on its title and buttons.
void RefreshMainCaptions(Program& app);

}  // namespace korvo
