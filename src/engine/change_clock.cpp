// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/change_clock.h"

#include <cmath>

#include "base/text.h"

namespace korvo::clock {

namespace {

// A tick skipped under load may see the stored second already passed; within this window it
// still counts as that second's change.
constexpr int LateTickWindow = 60;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool endsWith(const std::string& s, const char* suffix) {
    const std::string tail(suffix);
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

std::optional<std::string> sliderDelay(int position, const std::string& customHours) {
    if (position == CustomDelayPosition) {
        const auto seconds = hoursToSeconds(customHours);
        if (!seconds) return std::nullopt;
        return std::to_string(*seconds);
    }
    if (position > 0 || position < CustomDelayPosition) return std::nullopt;
    return std::to_string(SliderDelays[static_cast<std::size_t>(-position)]);
}

std::optional<SliderSetting> sliderSetting(const std::string& storedDelay) {
    // Numbers, not texts, are compared: a stored "120" must select the custom position, or the
    // next "OK" would store whatever the slider happened to show.
    const auto delay = text::asNumber(storedDelay);
    if (!delay || *delay <= 0 || *delay != std::floor(*delay)) return std::nullopt;
    for (std::size_t i = 0; i < SliderDelays.size(); ++i) {
        if (*delay == SliderDelays[i]) return SliderSetting{-static_cast<int>(i), std::nullopt};
    }
    return SliderSetting{CustomDelayPosition, secondsToHours(*delay)};
}

std::optional<std::int32_t> hoursToSeconds(const std::string& hours) {
    const auto number = text::asNumber(hours);
    if (!number || *number <= 0) return std::nullopt;
    const double seconds = std::round(*number * 3600.0);
    if (seconds < 1 || seconds > 2147483647.0) return std::nullopt;
    return static_cast<std::int32_t>(seconds);
}

std::string secondsToHours(double seconds) {
    return text::formatNumber(seconds / 3600.0, 4);
}

bool changeDue(std::int32_t elapsedSeconds, const std::string& delay) {
    const auto d = text::asNumber(delay);
    return d && *d > 0 && elapsedSeconds == *d;
}

std::optional<int> parseTimeOfDay(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return std::nullopt;
    std::string s = text.substr(first, text.find_last_not_of(' ') - first + 1);

    enum { H24, AM, PM } half = H24;
    if (endsWith(s, " AM") || endsWith(s, " am")) half = AM;
    if (endsWith(s, " PM") || endsWith(s, " pm")) half = PM;
    if (half != H24) s.resize(s.size() - 3);

    // "H:MM:SS" or "HH:MM:SS"
    if (s.size() != 7 && s.size() != 8) return std::nullopt;
    const std::size_t h = s.size() - 6;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const bool colon = i == h || i == h + 3;
        if (colon ? s[i] != ':' : !isDigit(s[i])) return std::nullopt;
    }
    auto number = [&](std::size_t at, std::size_t n) {
        int value = 0;
        for (std::size_t i = at; i < at + n; ++i) value = value * 10 + (s[i] - '0');
        return value;
    };
    int hour = number(0, h);
    const int minute = number(h + 1, 2);
    const int second = number(h + 4, 2);
    if (half != H24) {
        if (hour < 1 || hour > 12) return std::nullopt;
        hour = hour % 12 + (half == PM ? 12 : 0);
    }
    if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
    return hour * 3600 + minute * 60 + second;
}

int dayOf(const LocalTime& now) {
    return now.year * 10000 + now.month * 100 + now.day;
}

bool dailyChangeDue(const std::string& timeSetting, const LocalTime& now, int lastChangeDay) {
    const auto target = parseTimeOfDay(timeSetting);
    if (!target) return false;
    const int late = now.hour * 3600 + now.minute * 60 + now.second - *target;
    return late >= 0 && late < LateTickWindow && dayOf(now) != lastChangeDay;
}

}  // namespace korvo::clock
