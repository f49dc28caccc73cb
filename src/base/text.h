// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

namespace korvo::text {

// Settings and most program-wide values are text. These are the conversions the procedures make
// when they take a text "as a number".

// The text as a decimal number (surrounding blanks allowed, "1.5", "-2", "1e3"); nullopt for the
// empty text and for anything that is not wholly a number.
std::optional<double> asNumber(const std::string& value);

// The number rounded to a 32-bit integer; nullopt when it is not a number or out of range.
std::optional<std::int32_t> asInteger(const std::string& value);

// Character-by-character comparison of two texts, as the procedures compare a text with a digit
// string: negative, zero or positive.
int compare(const std::string& a, const std::string& b);

// A number written the short way: 2 -> "2", 1.5 -> "1.5", up to `decimals` places.
std::string formatNumber(double value, int decimals = 4);

}  // namespace korvo::text
