// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "i18n/caption_tables.h"

namespace korvo::i18n {

// Texts exactly as the windows show them; the Japanese and Chinese ones in UTF-8. The Chinese
// apply caption really ends in a straight double quote.
const std::array<CaptionSet, 6> kCaptionSets{{
    {"FR", false, "0", 0, "Appliquer", "Option", "Quitter", "Option d'", "",
     "Affichage:", "Répertoire des fonds d'écrans!", "Délai d'affichage:", "Sur le bureau??",
     "Démarrer Korvo avec Windows", "OK", "Annulé", "par défaut", 1},
    {"EN", false, "0", 1, "To Apply", "Option", "Exit", "", " Option",
     "Change:", "Wallpapers Folders", "Change delay:", "Place in the desktop??",
     "Start Korvo with Windows", "OK", "Cancel", "Default", 0},
    {"DE", false, "0", 2, "Zutreffen", "Wahl", "Ausgang", "", " Wahl", "Änderung:", "Tapete-Hefte",
     "Ändern Sie verzögert:", "Platz im Schreibtisch??", "Beginnen Sie Korvo mit Windows", "O.K.",
     "Löschen", "par défaut", 2},
    {"JP", false, "1", 3, "適用", "Option", "Exit", "", " Option", "変更", "Wallpapers Folders",
     "更新", "デスクトップ上での位置", "スタート時に起動する", "OK", "キャンセル", "par défaut", 3},
    {"ESP", true, "1", 4, "Apliquese", "Opcion", "Salida", "Opcion de ", "", "Visualizacion:",
     "!Directorio del Wallpapers!", "Plazo de las visualizaciones:", "Propiedad imagen??",
     "Empezar a Korvo con Windows", "OK", "cancelado", "par défaut", 4},
    {"CHN", false, "1", 5, "申请\"", "Option", "Exit", "", " Option", "变动:", "墙纸文件夹",
     "改变延迟:", "图片物产", "开始Korvo 与Windows", "OK", "Cancel", "par défaut", 5},
}};

const std::array<FlagPicture, 6> kFlagPictures{{
    {":flags/0.png", 48, 32},  // French
    {":flags/1.png", 64, 32},  // English
    {":flags/2.png", 32, 18},  // German
    {":flags/3.png", 46, 32},  // Japanese
    {":flags/4.png", 48, 32},  // Spanish
    {":flags/5.png", 32, 21},  // Chinese
}};

const CaptionSet* captionSetFor(std::string_view code) {
    for (const CaptionSet& set : kCaptionSets)
        if (set.code == code) return &set;
    return nullptr;
}

std::string optionsTitle(const CaptionSet& set, std::string_view title) {
    std::string result(set.titleHead);
    result += title;
    result += set.titleTail;
    return result;
}

std::string withSystemName(std::string_view text, std::string_view systemName) {
    constexpr std::string_view written = "Windows";
    std::string result;
    for (std::size_t at = text.find(written); at != std::string_view::npos;
         at = text.find(written)) {
        result.append(text.substr(0, at)).append(systemName);
        text.remove_prefix(at + written.size());
    }
    return result.append(text);
}

}  // namespace korvo::i18n
