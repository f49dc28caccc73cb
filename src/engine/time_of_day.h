#pragma once

#include <optional>
#include <string>

namespace korvo::engine {

// A stored time of day as seconds since midnight: "14:30:00", "9:05:00", "2:30:00 PM",
// "12:00:00 AM". nullopt for anything else (including "Null" and the empty text).
std::optional<int> parseTimeOfDay(const std::string& text);

}  // namespace korvo::engine
