#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "i18n/caption_tables.h"

namespace korvo::i18n {
namespace {

using Field = std::string_view CaptionSet::*;

// The cells a slip of the keyboard would break: accents, doubled marks, colons, quotes, the
// blanks around "Korvo" and the Japanese and Chinese characters.
TEST(CaptionTables, DelicateCellsReadExactly) {
    struct Cell {
        std::string_view code;
        Field field;
        std::string_view text;
    };
    const Cell cells[] = {
        {"FR", &CaptionSet::frame3, "R\u00e9pertoire des fonds d'\u00e9crans!"},
        {"FR", &CaptionSet::frame1, "D\u00e9lai d'affichage:"},
        {"FR", &CaptionSet::frame5, "Sur le bureau??"},
        {"FR", &CaptionSet::startWithSystem, "D\u00e9marrer Korvo avec Windows"},
        {"FR", &CaptionSet::cancel, "Annul\u00e9"},
        {"EN", &CaptionSet::apply, "To Apply"},
        {"EN", &CaptionSet::frame5, "Place in the desktop??"},
        {"EN", &CaptionSet::byDefault, "Default"},
        {"DE", &CaptionSet::frame2, "\u00c4nderung:"},
        {"DE", &CaptionSet::frame1, "\u00c4ndern Sie verz\u00f6gert:"},
        {"DE", &CaptionSet::ok, "O.K."},
        {"DE", &CaptionSet::cancel, "L\u00f6schen"},
        {"DE", &CaptionSet::byDefault, "par d\u00e9faut"},
        {"JP", &CaptionSet::apply, "\u9069\u7528"},
        {"JP", &CaptionSet::frame5,
         "\u30c7\u30b9\u30af\u30c8\u30c3\u30d7\u4e0a\u3067\u306e\u4f4d\u7f6e"},
        {"JP", &CaptionSet::cancel, "\u30ad\u30e3\u30f3\u30bb\u30eb"},
        {"ESP", &CaptionSet::frame3, "!Directorio del Wallpapers!"},
        {"ESP", &CaptionSet::frame1, "Plazo de las visualizaciones:"},
        {"ESP", &CaptionSet::frame5, "Propiedad imagen??"},
        {"ESP", &CaptionSet::cancel, "cancelado"},
        {"CHN", &CaptionSet::apply, "\u7533\u8bf7\""},
        {"CHN", &CaptionSet::frame2, "\u53d8\u52a8:"},
        {"CHN", &CaptionSet::startWithSystem, "\u5f00\u59cbKorvo \u4e0eWindows"},
        {"CHN", &CaptionSet::cancel, "Cancel"},
    };
    for (const Cell& cell : cells) {
        const CaptionSet* set = captionSetFor(cell.code);
        ASSERT_NE(set, nullptr) << cell.code;
        EXPECT_EQ(set->*cell.field, cell.text) << cell.code;
    }
}

TEST(CaptionTables, TitlesFlagsButtonsAndFontsFollowTheLanguage) {
    // The options dialog's language buttons, by index; the flags follow the order of the sets.
    const std::string_view buttonCodes[] = {"EN", "FR", "DE", "JP", "ESP", "CHN"};
    const std::string_view titles[] = {"Option d'Korvo", "Korvo Option",    "Korvo Wahl",
                                       "Korvo Option",   "Opcion de Korvo", "Korvo Option"};
    for (int i = 0; i < 6; ++i) {
        const CaptionSet& set = kCaptionSets[i];
        EXPECT_EQ(optionsTitle(set, "Korvo"), titles[i]) << set.code;
        EXPECT_EQ(set.flag, i) << set.code;
        EXPECT_EQ(buttonCodes[set.languageButton], set.code);
        EXPECT_EQ(set.fonts, i < 3 ? "0" : "1") << set.code;
        EXPECT_EQ(set.latinFontsFirst, set.code == "ESP");
    }
}

TEST(CaptionTables, OnlyTheExactCodesHaveASet) {
    for (const std::string_view code : {"FR", "EN", "DE", "JP", "ESP", "CHN"})
        EXPECT_EQ(captionSetFor(code)->code, code);
    for (const std::string_view other : {"fr", "FR ", "", "ES", "CN", "ENG"})
        EXPECT_EQ(captionSetFor(other), nullptr) << other;
}

TEST(CaptionTables, SystemNameReplacesWindowsInEveryLanguage) {
    EXPECT_EQ(withSystemName(captionSetFor("EN")->startWithSystem, "Linux"),
              "Start Korvo with Linux");
    EXPECT_EQ(withSystemName(captionSetFor("FR")->startWithSystem, "Linux"),
              "D\u00e9marrer Korvo avec Linux");
    EXPECT_EQ(withSystemName(captionSetFor("CHN")->startWithSystem, "Linux"),
              "\u5f00\u59cbKorvo \u4e0eLinux");
    EXPECT_EQ(withSystemName(kFassist3Check1Design, "Linux"), "Start Korvo when Linux Start");
    EXPECT_EQ(withSystemName("Windows, Windows", "Linux"), "Linux, Linux");
    // The Windows build keeps every text as it is.
    for (const CaptionSet& set : kCaptionSets)
        EXPECT_EQ(withSystemName(set.startWithSystem, "Windows"), set.startWithSystem);
}

}  // namespace
}  // namespace korvo::i18n
