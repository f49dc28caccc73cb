// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string_view>

#include "ui/forms/types.h"
#include "ui/forms/win32/win32.h"

namespace korvo::win32 {

// The script a control's text needs a face for. Japanese is East Asian text that code page 932
// can write; Chinese is any other (the Chinese captions use simplified characters it has not).
enum class Script { Latin, Japanese, Chinese };
Script scriptOf(std::wstring_view text);

// A face the system has is taken as the design names it, at its size and with its character set;
// Windows links in what it lacks for the text. For a face it has not (the design's faces under
// Wine, the Japanese ones on a Windows without them) the font mapper would pick any face of the
// character set, with no fonts linked in: a Japanese face for every caption of the Japanese,
// Spanish and Chinese windows, whose Latin letters are a tenth wider and a quarter higher than the
// places the design gives them, or a Western face that shows Japanese as empty boxes. So the
// stand-in is chosen by the text's script:
// - Latin: the system's dialog face, "MS Shell Dlg";
// - Japanese, Chinese: a UI face of that language the system has, else what the mapper picks for
//   the language's character set.
// An East Asian design face ("MS UI Gothic", "MS Gothic") is only as high as its em. Its Latin
// stand-in keeps its line, not its em: 13 pixels of line make an 11-pixel em in MS Sans Serif, the
// design's Western face, so the stand-in's em is 11/13 of the design's, and the design's places
// fit their Latin captions again. The East Asian stand-in keeps the em, which the design face's
// East Asian letters fill.
// The font, at the screen's resolution. The caller deletes it.
HFONT makeFont(const forms::Font& font, Script script);

}  // namespace korvo::win32
