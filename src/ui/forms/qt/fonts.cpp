// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/forms/qt/fonts.h"

#include <QString>
#include <QStringList>

namespace korvo::qt {

namespace {

// Each face maps to a Latin look-alike first and to Noto Sans CJK for whatever it lacks; the
// character set of the font decides when the CJK face comes first (see toQFont).
struct Substitution {
    const char* face;
    QStringList substitutes;
};

const Substitution* substitutions(int& count) {
    static const Substitution table[] = {
        {"MS UI Gothic", {"Liberation Sans", "DejaVu Sans", "Noto Sans CJK JP"}},
        {"MS Gothic", {"DejaVu Sans Mono", "Noto Sans Mono CJK JP"}},
        {"MS Sans Serif", {"Liberation Sans", "DejaVu Sans", "Noto Sans CJK JP"}},
        {"Arial", {"Liberation Sans", "DejaVu Sans", "Noto Sans CJK JP"}},
        {"MS Serif", {"Liberation Serif", "DejaVu Serif", "Noto Serif CJK JP"}},
        {"Lucida Sans Unicode", {"DejaVu Sans", "Noto Sans CJK JP"}},
    };
    count = static_cast<int>(std::size(table));
    return table;
}

}  // namespace

void installFontSubstitutions() {
    int count = 0;
    const Substitution* table = substitutions(count);
    // insertSubstitutions skips names already listed, so a second call changes nothing.
    for (int i = 0; i < count; ++i)
        QFont::insertSubstitutions(QString::fromLatin1(table[i].face), table[i].substitutes);
}

// The face that carries the script a font's character set is for, as the window system's font
// mapper picks one for a character set.
QString faceForCharset(int charset) {
    switch (charset) {
        case 128:  // Shift-JIS
            return QStringLiteral("Noto Sans CJK JP");
        case 129:  // Hangul
            return QStringLiteral("Noto Sans CJK KR");
        case 134:  // GB 2312
            return QStringLiteral("Noto Sans CJK SC");
        case 136:  // Big5
            return QStringLiteral("Noto Sans CJK TC");
        default:
            return {};
    }
}

QFont toQFont(const forms::Font& font) {
    QStringList families{QString::fromUtf8(font.name.c_str())};
    if (const QString face = faceForCharset(font.charset); !face.isEmpty()) families.prepend(face);
    QFont result(families);
    // A size the model could not have meant (zero, negative, absurd) falls back to the default.
    const double size = font.size > 0 && font.size < 500 ? font.size : 8.25;
    result.setPointSizeF(size);
    result.setBold(font.bold);
    result.setItalic(font.italic);
    return result;
}

}  // namespace korvo::qt
