// How the front end reads numbers out of texts typed by the user.
#pragma once

#include <string>
#include <string_view>

namespace settings {

// Integer value of a text: leading spaces and tabs skipped, one optional "-"
// or "+", then decimal digits up to the first non-digit; 0 when there are
// none. Wraps around in 32 bits like the original unchecked arithmetic.
int integer_value(std::string_view text);

// Floating-point value of a text (leading blanks, sign, digits, point,
// exponent); 0 when it does not begin with a number.
double decimal_value(std::string_view text);

// Signed decimal text of an integer.
inline std::string decimal(int n) {
    return std::to_string(n);
}

} // namespace settings
