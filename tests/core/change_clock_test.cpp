// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/change_clock.h"

#include <gtest/gtest.h>

namespace korvo::clock {
namespace {

using Text = std::optional<std::string>;

TEST(ChangeClock, EverySliderPositionStoresItsDelayInSeconds) {
    const std::pair<int, const char*> spots[] = {{0, "1"}, {-5, "60"}, {-9, "3600"}};
    for (const auto& [position, seconds] : spots)
        EXPECT_EQ(sliderDelay(position, "7"), seconds) << position;
    // The custom box is in hours; the texts the loader shows for 7200, 120 and 86399 seconds
    // store those again.
    const std::pair<const char*, Text> boxes[] = {
        {"1.5", "5400"}, {"2", "7200"}, {"0.0333", "120"}, {"23.9997", "86399"}};
    for (const auto& [hours, seconds] : boxes) EXPECT_EQ(sliderDelay(-10, hours), seconds) << hours;
    EXPECT_EQ(sliderDelay(-10, "0.0001"), std::nullopt) << "less than a second";
    for (const std::string bad : {"abc", "-2", "0", "", "1e9"})
        EXPECT_EQ(sliderDelay(-10, bad), std::nullopt) << bad << " keeps the delay";
    for (const int outside : {1, -11}) EXPECT_EQ(sliderDelay(outside, "1"), std::nullopt);
}

TEST(ChangeClock, AStoredDelayFindsItsPositionByNumber) {
    const std::vector<std::tuple<std::string, int, Text>> table = {{"3600", -9, std::nullopt},
                                                                   {" 60 ", -5, std::nullopt},
                                                                   {"7200", -10, "2"},
                                                                   {"120", -10, "0.0333"},
                                                                   {"86399", -10, "23.9997"}};
    for (const auto& [stored, position, box] : table) {
        const auto setting = sliderSetting(stored);
        ASSERT_TRUE(setting) << stored;
        EXPECT_EQ(std::pair(setting->position, setting->customHours), std::pair(position, box));
    }
    for (const std::string unreadable : {"0", "-5", "abc", "", "2.5"})
        EXPECT_FALSE(sliderSetting(unreadable)) << unreadable;
}

TEST(ChangeClock, AChangeIsDueWhenTheCountEqualsAPositiveDelay) {
    const std::vector<std::tuple<std::int32_t, std::string, bool>> table = {
        {60, "60", true}, {61, "60", false},  {59, "60", false}, {0, "0", false},
        {0, "", false},   {0, "soon", false}, {-3, "-3", false}, {5, " 5", true}};
    for (const auto& [count, delay, due] : table)
        EXPECT_EQ(changeDue(count, delay), due) << count << " / " << delay;
}

TEST(ChangeClock, ReadsTheWaysATimeIsWritten) {
    const std::pair<const char*, int> times[] = {
        {"9:05:07", 32707}, {" 2:30:00 PM", 52200}, {"12:00:00 AM", 0}, {"12:00:00 pm", 43200}};
    for (const auto& [text, second] : times) EXPECT_EQ(parseTimeOfDay(text), second) << text;
    for (const std::string bad : {"Null", "", "14:30", "24:00:00", "13:00:00 PM", "1:2:3",
                                  "14:30:00 tomorrow", "aa:bb:cc", "14:60:00", "0:00:00 AM"})
        EXPECT_EQ(parseTimeOfDay(bad), std::nullopt) << bad;
}

TEST(ChangeClock, TheDailyChangeIsDueWithinAMinuteOfItsSecondOnceADay) {
    const LocalTime at{2026, 12, 6, 9, 0, 10}, late{2026, 12, 6, 9, 1, 9},
        later{2026, 12, 6, 9, 1, 10};
    EXPECT_TRUE(dailyChangeDue("09:00:10", at, 0));
    EXPECT_TRUE(dailyChangeDue("9:00:10 AM", late, 0)) << "a skipped tick still counts";
    EXPECT_FALSE(dailyChangeDue("09:00:10", later, 0));
    EXPECT_FALSE(dailyChangeDue("09:00:11", at, 0));
    EXPECT_FALSE(dailyChangeDue("09:00:10", at, 20261206)) << "never twice a day";
    EXPECT_TRUE(dailyChangeDue("09:00:10", at, 20261205));
    EXPECT_FALSE(dailyChangeDue("Null", at, 0));
    EXPECT_EQ(dayOf({2027, 1, 2, 0, 0, 0}), 20270102);
}

}  // namespace
}  // namespace korvo::clock
