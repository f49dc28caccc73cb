#include <gtest/gtest.h>

#include <algorithm>

#include "i18n/font_tables.h"

namespace korvo::i18n {
namespace {

TEST(FontTables, TheSelectorPicksTheRoutineAndTheLatinTargetsSpareOption1Zero) {
    ASSERT_NE(uiFontsFor("0"), nullptr);
    ASSERT_NE(uiFontsFor("1"), nullptr);
    EXPECT_EQ(uiFontsFor("0")->charset, 0);
    EXPECT_EQ(uiFontsFor("1")->charset, 128);
    for (const char* other : {"2", "", "00", " 1"}) EXPECT_EQ(uiFontsFor(other), nullptr) << other;
    EXPECT_TRUE(std::none_of(kLatinFontTargets.begin(), kLatinFontTargets.end(),
                             [](const auto& t) { return t.control == "Option1" && t.index == 0; }));
}

}  // namespace
}  // namespace korvo::i18n
