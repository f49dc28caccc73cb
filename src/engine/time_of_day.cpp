#include "engine/time_of_day.h"

namespace korvo::engine {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool endsWith(const std::string& s, const char* suffix) {
    const std::string tail(suffix);
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

std::optional<int> parseTimeOfDay(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return std::nullopt;
    std::string s = text.substr(first, text.find_last_not_of(' ') - first + 1);

    enum { H24, AM, PM } clock = H24;
    if (endsWith(s, " AM") || endsWith(s, " am")) clock = AM;
    if (endsWith(s, " PM") || endsWith(s, " pm")) clock = PM;
    if (clock != H24) s.resize(s.size() - 3);

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
    if (clock != H24) {
        if (hour < 1 || hour > 12) return std::nullopt;
        hour = hour % 12 + (clock == PM ? 12 : 0);
    }
    if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
    return hour * 3600 + minute * 60 + second;
}

}  // namespace korvo::engine
