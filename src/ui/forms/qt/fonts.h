// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>

#include "ui/forms/types.h"

namespace korvo::qt {

// Maps the face names Korvo's windows ask for ("MS UI Gothic", "MS Sans Serif", ...) to faces a
// Linux desktop has, so that Latin, Japanese and Chinese captions all render. Safe to call again.
void installFontSubstitutions();

// The model's font as Qt draws it. Text is Unicode whatever set a caption was written for; the
// character set only chooses the face, as it does on Windows: an East Asian set puts the CJK face
// of its script first, so that Japanese and Chinese captions are drawn in one face of their own.
QFont toQFont(const forms::Font& font);

}  // namespace korvo::qt
