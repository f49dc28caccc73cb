#pragma once

#include <QFont>

#include "ui/forms/types.h"

namespace korvo::qt {

// Maps the face names Korvo's windows ask for ("MS UI Gothic", "MS Sans Serif", ...) to faces a
// Linux desktop has, so that Latin, Japanese and Chinese captions all render. Safe to call again.
void installFontSubstitutions();

// The model's font as Qt draws it. The character set stays model state: Qt draws Unicode text
// whatever set a caption was written for, and the substitutes cover every script Korvo shows.
QFont toQFont(const forms::Font& font);

}  // namespace korvo::qt
