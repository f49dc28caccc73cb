// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/environment.h"
#include "platform/linux/wallpaper_object.h"

namespace korvo::platform {

// A single-quoted JavaScript string literal holding `text`. The result is plain printable ASCII:
// quotes, backslashes, control characters, U+2028/U+2029 and every other non-ASCII character
// are written as escapes, and a byte that is not part of valid UTF-8 becomes U+FFFD, so nothing
// in `text` can end the literal or change the script around it.
std::string jsStringLiteral(std::string_view text);

// Whether `text` is valid UTF-8 (no stray, truncated or overlong sequence, no surrogate).
bool isUtf8(std::string_view text);

// The script Plasma's shell runs: every desktop gets the image plugin, the fill mode of the
// style, then the picture as a file:// URL, and the script prints "taken" when every desktop
// (at least one) reads the picture back. nullopt for a relative path.
std::optional<std::string> plasmaScript(const Wallpaper& wallpaper);

// Sends the script to the running shell over the session bus (org.kde.plasmashell,
// /PlasmaShell, org.kde.PlasmaShell.evaluateScript) with a time limit; no bus, no shell running,
// a script error or a picture not taken is a failure. A path that is not UTF-8 goes through
// plainLink in Korvo's state folder.
HRESULT applyPlasma(const Wallpaper& wallpaper, const Environment& env);

}  // namespace korvo::platform
