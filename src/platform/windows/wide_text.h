// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvo::platform {

// Korvo holds text as UTF-8; the wide-character Windows functions take UTF-16. nullopt for
// invalid UTF-8 or an embedded NUL, which no Windows function could take whole.
std::optional<std::wstring> widen(std::string_view utf8);

}  // namespace korvo::platform
