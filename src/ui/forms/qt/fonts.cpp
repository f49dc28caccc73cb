// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/forms/qt/fonts.h"

#include <QString>
#include <QStringList>
#include <iterator>

namespace korvo::qt {

namespace {

// The faces Korvo's windows ask for, each with the face Debian has whose Latin letters come
// closest to its widths at the same size, and the family of Noto CJK that draws the Japanese and
// Chinese text the Latin face lacks (its script chosen by the character set, see toQFont).
struct Face {
    const char* design;
    const char* latin;
    const char* cjk;
};

constexpr Face kFaces[] = {
    // Arial's widths: Liberation Sans has them exactly, and MS Sans Serif's are Arial's.
    {"MS Sans Serif", "Liberation Sans", "Noto Sans CJK"},
    {"Arial", "Liberation Sans", "Noto Sans CJK"},
    // A Japanese face whose proportional Latin letters are narrower than Arial's; no face Debian
    // ships is narrower at the same size, and Noto CJK's own Latin letters are wider still. Its
    // Japanese text is one em a character, as Noto CJK's.
    {"MS UI Gothic", "Liberation Sans", "Noto Sans CJK"},
    // Half an em a Latin letter and a whole one a Japanese character, as Noto Sans Mono CJK.
    {"MS Gothic", "Noto Sans Mono CJK JP", "Noto Sans Mono CJK"},
    {"MS Serif", "Liberation Serif", "Noto Serif CJK"},
    {"Lucida Sans Unicode", "DejaVu Sans", "Noto Sans CJK"},
};

const Face* faceFor(const std::string& name) {
    const QString wanted = QString::fromUtf8(name.c_str());
    for (const Face& face : kFaces)
        if (wanted.compare(QLatin1String(face.design), Qt::CaseInsensitive) == 0) return &face;
    return nullptr;
}

// The script of the Noto CJK face a character set asks for, as the window system's font mapper
// picks a face for a character set; Japanese when none does.
const char* scriptForCharset(int charset) {
    switch (charset) {
        case 129:  // Hangul
            return "KR";
        case 134:  // GB 2312
            return "SC";
        case 136:  // Big5
            return "TC";
        default:  // 128 Shift-JIS, and Western text that holds a Japanese character
            return "JP";
    }
}

}  // namespace

QFont toQFont(const forms::Font& font) {
    const Face* face = faceFor(font.name);
    const QString cjk =
        QStringLiteral("%1 %2").arg(QLatin1String(face ? face->cjk : "Noto Sans CJK"),
                                    QLatin1String(scriptForCharset(font.charset)));
    QFont result(QStringList{
        face ? QString::fromLatin1(face->latin) : QString::fromUtf8(font.name.c_str()), cjk});
    // A size the model could not have meant (zero, negative, absurd) falls back to the default.
    const double size = font.size > 0 && font.size < 500 ? font.size : 8.25;
    result.setPointSizeF(size);
    result.setBold(font.bold);
    result.setItalic(font.italic);
    return result;
}

}  // namespace korvo::qt
