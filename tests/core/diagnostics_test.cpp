// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <tuple>

#include "platform/stderr_diagnostics.h"

namespace korvo {
namespace {

TEST(Diagnostics, EachDistinctLineAtMostOnceAMinute) {
    std::chrono::steady_clock::time_point now{};
    platform::RepeatLimiter limiter([&] { return now; });
    const std::tuple<int, const char*, bool> steps[] = {
        {0, "a", true},  {0, "b", true},   {30, "a", false},  {59, "b", false}, {60, "a", true},
        {61, "b", true}, {90, "a", false}, {119, "a", false}, {120, "a", true}, {120, "c", true}};
    for (const auto& [second, line, shown] : steps) {
        now = std::chrono::steady_clock::time_point{} + std::chrono::seconds(second);
        EXPECT_EQ(limiter.allow(line), shown) << line << " at " << second;
    }
    // A file name with a line break still makes one line in the journal.
    EXPECT_EQ(platform::diagnosticLine("folder not listed", "/p/a\nb\r", "gone"),
              "korvo: folder not listed: /p/a?b?: gone");
}

}  // namespace
}  // namespace korvo
