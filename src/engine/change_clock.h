// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "services/local_time.h"

// The rules of the change clock, apart from the forms and timers that follow them: which delay a
// slider position stands for, how the custom box reads, when a change is due.
namespace korvo::clock {

// The delay in seconds that each slider position stands for, position 0 first (index i is
// position -i); the top position, -10, reads the custom box instead.
inline constexpr std::array<int, 10> SliderDelays = {1, 5, 10, 15, 30, 60, 300, 900, 1800, 3600};
inline constexpr int CustomDelayPosition = -10;

// The delay to store for a slider position, as whole seconds; nullopt keeps the former delay
// (a position off the slider, or a custom box that holds no positive number of hours).
std::optional<std::string> sliderDelay(int position, const std::string& customHours);

// Where the slider goes for a stored delay, and what the custom box then shows; nullopt leaves
// the slider alone (no number, not whole, not positive).
struct SliderSetting {
    int position;
    std::optional<std::string> customHours;
};
std::optional<SliderSetting> sliderSetting(const std::string& storedDelay);

// The custom box is in hours, as its labels say; the delay is kept in whole seconds. The text
// shows up to four decimals, enough for every whole second to come back unchanged.
std::optional<std::int32_t> hoursToSeconds(const std::string& hours);
std::string secondsToHours(double seconds);

// The poll's test: the count equals the delay. A delay that is no number (a missing key) or not
// positive means no automatic change.
bool changeDue(std::int32_t elapsedSeconds, const std::string& delay);

// A stored time of day as seconds since midnight: "14:30:00", "9:05:00", "2:30:00 PM",
// "12:00:00 AM". nullopt for anything else (including "Null" and the empty text).
std::optional<int> parseTimeOfDay(const std::string& text);

// The day a daily change belongs to, as year * 10000 + month * 100 + day.
int dayOf(const LocalTime& now);

// The daily change is due at the stored second, or at a later tick within a minute if that
// second was skipped under load, and once a day at most.
bool dailyChangeDue(const std::string& timeSetting, const LocalTime& now, int lastChangeDay);

}  // namespace korvo::clock
