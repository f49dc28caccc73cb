// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>

namespace korvo::ini {

// Profile-file text, read and edited in memory. Sections and keys match trimmed of surrounding
// blanks and without regard to letter case; every line that is not the one being changed stays
// byte for byte as it was, line endings included.

// The value under section/key, trimmed of surrounding blanks and one pair of quotes; nullopt when
// the section or key is missing.
std::optional<std::string> read(const std::string& text, const std::string& section,
                                const std::string& key);

// The text with section/key set to value (created where missing; quoted when the value has
// surrounding blanks or quotes, so that it reads back as given), or with every line of the key
// removed when value is absent. nullopt when the edit is refused: a line break in any part, a
// NUL in the value, a "]" in the section, an "=" in the key, a key starting with "[" or an
// empty key, which would all change what the file says about other keys.
std::optional<std::string> write(const std::string& text, const std::string& section,
                                 const std::string& key, const std::optional<std::string>& value);

}  // namespace korvo::ini
