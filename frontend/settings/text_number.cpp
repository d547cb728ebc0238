#include "frontend/settings/text_number.h"

#include <cstdint>
#include <cstdlib>

namespace settings {

int integer_value(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    uint32_t n = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        n = n * 10u + static_cast<uint32_t>(text[i] - '0');
    if (negative) n = 0u - n;
    return static_cast<int>(n);
}

double decimal_value(std::string_view text) {
    // strtod needs a terminated string; "C" locale, so the point is '.'.
    std::string copy(text);
    return std::strtod(copy.c_str(), nullptr);
}

} // namespace settings
