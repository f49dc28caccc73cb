// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/text.h"

#include <cstdio>
#include <cstdlib>
#include <limits>

namespace korvo::text {

std::optional<double> asNumber(const std::string& value) {
    std::size_t begin = value.find_first_not_of(" \t");
    if (begin == std::string::npos) return std::nullopt;
    std::size_t end = value.find_last_not_of(" \t") + 1;
    const std::string core = value.substr(begin, end - begin);
    // strtod would also take "inf", "nan" and hexadecimal: none of them is a delay or a flag.
    for (char c : core) {
        const bool allowed =
            (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E';
        if (!allowed) return std::nullopt;
    }
    char* stop = nullptr;
    const double number = std::strtod(core.c_str(), &stop);
    if (stop != core.c_str() + core.size() || !std::isfinite(number)) return std::nullopt;
    return number;
}

std::optional<std::int32_t> asInteger(const std::string& value) {
    const auto number = asNumber(value);
    if (!number) return std::nullopt;
    const double rounded = std::nearbyint(*number);
    if (rounded < std::numeric_limits<std::int32_t>::min() ||
        rounded > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

int compare(const std::string& a, const std::string& b) {
    return a.compare(b);
}

std::string formatNumber(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string out = buffer;
    if (out.find('.') != std::string::npos) {
        while (out.back() == '0') out.pop_back();
        if (out.back() == '.') out.pop_back();
    }
    if (out == "-0") out = "0";
    return out;
}

}  // namespace korvo::text
