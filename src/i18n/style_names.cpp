// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "i18n/style_names.h"

namespace korvo::i18n {

const std::array<StyleName, 11> kStyleNames{{
    {"Centré", "0"},
    {"Mitte", "0"},
    {"Center", "0"},
    {"Centro", "0"},
    {"Etiré", "2"},
    {"Ausdehnung", "2"},
    {"Stretch", "2"},
    {"En Mosaïque", "1"},
    {"Mosaic", "1"},
    {"Mosaico", "1"},
    {"Mosaik", "1"},
}};

const std::array<DelayItem, 5> kAssistDelays{{
    {"1 second", "1"},
    {"5 seconds", "5"},
    {"30 seconds", "30"},
    {"1 minute", "60"},
    {"5 minutes", "300"},
}};

namespace {

// The second field of the first entry whose name equals `text` exactly.
template <typename Table>
std::optional<std::string> lookUp(const Table& table, std::string_view text) {
    for (const auto& [name, value] : table)
        if (name == text) return std::string(value);
    return std::nullopt;
}

}  // namespace

std::optional<std::string> styleCodeFor(std::string_view text) {
    return lookUp(kStyleNames, text);
}

std::optional<std::string> delaySecondsFor(std::string_view text) {
    return lookUp(kAssistDelays, text);
}

}  // namespace korvo::i18n
