#include <gtest/gtest.h>

#include <algorithm>

#include "i18n/font_tables.h"

namespace korvo::i18n {
namespace {

TEST(FontTables, SelectorPicksTheRoutine) {
    const UIFontRoutine* western = uiFontsFor("0");
    const UIFontRoutine* japanese = uiFontsFor("1");
    ASSERT_NE(western, nullptr);
    ASSERT_NE(japanese, nullptr);
    EXPECT_EQ(western->charset, 0);
    EXPECT_EQ(japanese->charset, 128);
    EXPECT_EQ(western->face, "MS UI Gothic");
    EXPECT_EQ(japanese->size, "9.75");
    EXPECT_EQ(western->forms[1], "Fassist1");
    EXPECT_EQ(japanese->forms[1], "Foption");
    for (const char* other : {"2", "", "00", " 1"}) EXPECT_EQ(uiFontsFor(other), nullptr) << other;
}

TEST(FontTables, LatinTargetsLeaveTheSettingsFramesCharsetAndOption1Zero) {
    const auto charsetTargets = std::count_if(kLatinFontTargets.begin(), kLatinFontTargets.end(),
                                              [](const auto& t) { return t.setsCharset; });
    EXPECT_EQ(charsetTargets, 13);
    EXPECT_FALSE(kLatinFontTargets[13].setsCharset);
    EXPECT_EQ(kLatinFontTargets[14].control, "Frame2");
    EXPECT_TRUE(std::none_of(kLatinFontTargets.begin(), kLatinFontTargets.end(),
                             [](const auto& t) { return t.control == "Option1" && t.index == 0; }));
}

}  // namespace
}  // namespace korvo::i18n
