// Letter case as settings-file keys and the extensions the lines look at
// know it: the 26 letters A to Z and a to z, nothing else. (File names are
// compared by the system's own folding, Os::case_key.)
#pragma once

#include <string>
#include <string_view>

namespace settings {

inline char ascii_upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
inline char ascii_lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
inline std::string ascii_upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = ascii_upper(c);
    return out;
}
inline std::string ascii_lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = ascii_lower(c);
    return out;
}

} // namespace settings
