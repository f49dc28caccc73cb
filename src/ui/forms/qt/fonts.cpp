#include "ui/forms/qt/fonts.h"

#include <QString>
#include <QStringList>

namespace korvo::qt {

namespace {

// Noto Sans CJK carries Latin, kana and both Han variants, so a Japanese UI face maps to it
// first; Western faces map to metric look-alikes and fall back to the CJK face for anything
// they lack.
struct Substitution {
    const char* face;
    QStringList substitutes;
};

const Substitution* substitutions(int& count) {
    static const Substitution table[] = {
        {"MS UI Gothic", {"Noto Sans CJK JP", "DejaVu Sans"}},
        {"MS Gothic", {"Noto Sans Mono CJK JP", "Noto Sans CJK JP", "DejaVu Sans Mono"}},
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

QFont toQFont(const forms::Font& font) {
    QFont result(QString::fromUtf8(font.name.c_str()));
    // A size the model could not have meant (zero, negative, absurd) falls back to the default.
    const double size = font.size > 0 && font.size < 500 ? font.size : 8.25;
    result.setPointSizeF(size);
    result.setBold(font.bold);
    result.setItalic(font.italic);
    return result;
}

}  // namespace korvo::qt
