// pausems MILLISECONDS: returns after that many milliseconds.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pausems {

// The wait asked for: exactly one parameter of decimal digits, at most
// 2147483647; nothing for anything else.
std::optional<unsigned long> pause_time(const std::vector<std::string>& params);

constexpr const char* usage = "usage: pausems MILLISECONDS (a whole number from 0 to 2147483647)";

} // namespace pausems
