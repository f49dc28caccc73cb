// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>

#include "ui/forms/types.h"

namespace korvo::qt {

// The model's font as Qt draws it. The faces Korvo's windows ask for ("MS UI Gothic", "MS Sans
// Serif", ...) become the faces a Debian desktop has with the closest widths at the same size
// (Liberation, DejaVu), so that captions fit where their design put them; Japanese and Chinese
// text the Latin face lacks comes from Noto CJK. Text is Unicode whatever set a caption was
// written for; the character set chooses the Noto CJK face of its script, as the Windows font
// mapper chooses a face for a character set.
QFont toQFont(const forms::Font& font);

}  // namespace korvo::qt
