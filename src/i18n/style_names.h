// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The names by which a display style may be typed, in every language, and the delay list of the
// assistant's settings page (delays have no localized names).

namespace korvo::i18n {

struct StyleName {
    std::string_view name;
    std::string_view code;  // "0" centred, "1" tiled, "2" stretched
};

// Eleven names; Japanese and Chinese use the English ones, Spanish the English "Stretch".
extern const std::array<StyleName, 11> kStyleNames;

// The style code of a whole text: exact, with case, accents and blanks counting, no trimming.
// nullopt when the text is no name (the stored code then stays as it was).
std::optional<std::string> styleCodeFor(std::string_view text);

struct DelayItem {
    std::string_view name;
    std::string_view seconds;  // as the settings file holds a delay
};

// The assistant's delay list, in the order it is filled.
extern const std::array<DelayItem, 5> kAssistDelays;

// The seconds of a delay list item picked by its whole text; nullopt for any other text.
std::optional<std::string> delaySecondsFor(std::string_view text);

}  // namespace korvo::i18n
