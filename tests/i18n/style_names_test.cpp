// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "i18n/style_names.h"

namespace korvo::i18n {
namespace {

// Only the exact item texts match: no case folding, no trimming, no prefix while typing.
TEST(StyleNames, OnlyTheExactItemTextsGiveTheirCodes) {
    const std::pair<const char*, const char*> names[] = {
        {"Centr\u00e9", "0"}, {"Mitte", "0"}, {"Etir\u00e9", "2"}, {"En Mosa\u00efque", "1"}};
    for (const auto& [name, code] : names) EXPECT_EQ(styleCodeFor(name), code) << name;
    for (const char* text :
         {"centr\u00e9", "Centre", "Etire", "\u00c9tir\u00e9", "center", "mosaic", "STRETCH",
          "Mosaic ", " Mosaic", "Mosai", "M", "En Mosaique", "EnMosa\u00efque", "Centre\u0301", ""})
        EXPECT_EQ(styleCodeFor(text), std::nullopt) << text;
    EXPECT_EQ(delaySecondsFor("5 minutes"), "300");
    for (const char* text : {"1 Second", "1 seconds", "15 seconds", "1 hour", ""})
        EXPECT_EQ(delaySecondsFor(text), std::nullopt) << text;
}

}  // namespace
}  // namespace korvo::i18n
