#include <gtest/gtest.h>

#include <string_view>

#include "i18n/caption_tables.h"

namespace korvo::i18n {
namespace {

// The cells a slip of the keyboard would break: accents, doubled marks, quotes, the blanks
// around "Korvo" and the Japanese and Chinese characters.
TEST(CaptionTables, DelicateCellsReadExactly) {
    const struct {
        std::string_view code;
        std::string_view CaptionSet::*field;
        std::string_view text;
    } cells[] = {
        {"FR", &CaptionSet::frame3, "R\u00e9pertoire des fonds d'\u00e9crans!"},
        {"DE", &CaptionSet::cancel, "L\u00f6schen"},
        {"JP", &CaptionSet::frame5,
         "\u30c7\u30b9\u30af\u30c8\u30c3\u30d7\u4e0a\u3067\u306e\u4f4d\u7f6e"},
        {"CHN", &CaptionSet::apply, "\u7533\u8bf7\""},
    };
    for (const auto& cell : cells) {
        ASSERT_NE(captionSetFor(cell.code), nullptr) << cell.code;
        EXPECT_EQ(captionSetFor(cell.code)->*cell.field, cell.text) << cell.code;
    }
}

TEST(CaptionTables, SystemNameReplacesWindowsInEveryLanguage) {
    EXPECT_EQ(withSystemName(captionSetFor("FR")->startWithSystem, "Linux"),
              "D\u00e9marrer Korvo avec Linux");
    EXPECT_EQ(withSystemName(kFassist3Check1Design, "Linux"), "Start Korvo when Linux Start");
    EXPECT_EQ(withSystemName("Windows, Windows", "Linux"), "Linux, Linux");
}

}  // namespace
}  // namespace korvo::i18n
