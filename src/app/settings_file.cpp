// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/settings_file.h"

#include "base/ini_text.h"

namespace korvo {

std::string SettingsFile::read(const std::string& path, const std::string& section,
                               const std::string& key) {
    const auto text = store_.read(path);
    if (!text) return {};
    return ini::read(*text, section, key).value_or(std::string{});
}

void SettingsFile::write(const std::string& path, const std::string& section,
                         const std::string& key, const std::optional<std::string>& value) {
    const auto current = store_.read(path);
    // A file that is there but cannot be read is left alone: rewriting it from nothing would
    // throw away every other setting.
    if (!current && store_.exists(path)) {
        diagnostics_.report("settings not saved", path, "the file cannot be read");
        return;
    }
    const std::string before = current.value_or(std::string{});
    const auto after = ini::write(before, section, key, value);
    if (!after || *after == before) return;
    if (!store_.replace(path, *after))
        diagnostics_.report("settings not saved", path, "the file could not be replaced");
}

}  // namespace korvo
