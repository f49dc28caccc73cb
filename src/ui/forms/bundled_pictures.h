// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <span>
#include <string_view>

namespace korvo::forms {

// The bytes of a picture bundled with the program (`source` starts with ":", as in
// ":flags/0.png"), as its file holds them; empty for a name that is not bundled. Linked into the
// Linux program, whose tray and windows both read them; Korvo.exe carries them as resources.
std::span<const unsigned char> bundledPicture(std::string_view source);

}  // namespace korvo::forms
