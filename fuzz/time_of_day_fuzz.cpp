// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Any text as the stored time of day: no crash, and a time it accepts lies within one day, is
// not moved by surrounding spaces, and is read the same back from its 24-hour spelling.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "engine/change_clock.h"
#include "fuzz/check.h"

namespace {

// The one call under test, kept apart so that it can follow the reader wherever it lives.
std::optional<int> parse(const std::string& text) {
    return korvo::clock::parseTimeOfDay(text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(bytes), size);
    const auto seconds = parse(text);
    KORVO_REQUIRE(parse(" " + text + "  ") == seconds);
    if (!seconds) return 0;
    KORVO_REQUIRE(*seconds >= 0 && *seconds < 24 * 3600);
    char spelled[16];
    std::snprintf(spelled, sizeof spelled, "%d:%02d:%02d", *seconds / 3600, *seconds / 60 % 60,
                  *seconds % 60);
    KORVO_REQUIRE(parse(spelled) == seconds);
    return 0;
}
