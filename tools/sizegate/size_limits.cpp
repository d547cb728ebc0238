#include "tools/sizegate/size_limits.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace sizegate {

namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// The longest prefix that is a plain decimal number, after leading blanks.
// ("inf", "nan" and hexadecimal forms are not numbers here.)
std::string number_prefix(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t digits = 0;
    while (i < text.size() && is_digit(text[i])) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && is_digit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return "0";
    size_t end = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        if (i < text.size() && is_digit(text[i])) {
            while (i < text.size() && is_digit(text[i])) ++i;
            end = i;
        }
    }
    return text.substr(start, end - start);
}

} // namespace

int64_t limit_bytes(const std::string& text) {
    float mb = static_cast<float>(std::strtod(number_prefix(text).c_str(), nullptr));
    double bytes = std::nearbyint(static_cast<double>(mb) * 1048576.0);
    if (bytes >= 9223372036854775807.0) return INT64_MAX;
    if (bytes <= -9223372036854775807.0) return INT64_MIN;
    return static_cast<int64_t>(bytes);
}

int answer(int64_t lower, int64_t upper, bool size_known, int64_t size) {
    return size_known && lower < size && size < upper ? 0 : 1;
}

} // namespace sizegate
