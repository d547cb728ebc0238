#include "plugin/profile_text.h"

#include <vector>

namespace levo {

namespace {

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

bool blank(char c) {
    return c == ' ' || c == '\t';
}

std::string trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t"), e = s.find_last_not_of(" \t");
    return b == std::string::npos ? "" : s.substr(b, e - b + 1);
}

// Lines end at CR, LF or CR LF.
std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(pos, end - pos));
        pos = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

// A section line: "[" after leading blanks, and its name (without blanks
// around it) up to the line's last "]". Without a "]" the line is no section
// line.
bool section_name(const std::string& line, std::string& name) {
    std::string t = trim(line);
    size_t close = t.rfind(']');
    if (t.empty() || t[0] != '[' || close == std::string::npos || close == 0) return false;
    name = trim(t.substr(1, close - 1));
    return true;
}

bool entry_key(const std::string& line, std::string& key) {
    size_t eq = line.find('=');
    if (eq == std::string::npos) return false;
    key = trim(line.substr(0, eq));
    return true;
}

// The line of the key in the first section of that name (letter case
// ignored), as both the read and the write find it; -1 when the key is
// missing. `section_line` is the section's line, -1 when there is none;
// `last_line` the last non-empty line of that section.
struct Found {
    int key_line = -1, section_line = -1, last_line = -1;
};

Found find(const std::vector<std::string>& lines, const std::string& section,
           const std::string& key) {
    Found f;
    std::string name, k;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        if (section_name(lines[i], name)) {
            if (f.section_line >= 0) break; // only the first such section counts
            if (lower(name) == lower(section)) f.section_line = f.last_line = i;
        } else if (f.section_line >= 0) {
            if (entry_key(lines[i], k) && lower(k) == lower(key)) {
                f.key_line = i;
                break;
            }
            if (!trim(lines[i]).empty()) f.last_line = i;
        }
    }
    return f;
}

// One pair of matching quotes around a value is taken away.
std::string unquoted(const std::string& v) {
    if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0])
        return v.substr(1, v.size() - 2);
    return v;
}

// Leading blanks, a sign, then decimal digits to the first other character,
// wrapping around in 32 bits.
int32_t wrapped_integer(const std::string& v) {
    size_t i = 0;
    while (i < v.size() && blank(v[i])) ++i;
    bool negative = false;
    if (i < v.size() && (v[i] == '-' || v[i] == '+')) negative = v[i++] == '-';
    uint32_t n = 0;
    for (; i < v.size() && v[i] >= '0' && v[i] <= '9'; ++i)
        n = n * 10u + static_cast<uint32_t>(v[i] - '0');
    if (negative) n = 0u - n;
    return static_cast<int32_t>(n);
}

} // namespace

int32_t profile_int(const std::string& text, const std::string& section, const std::string& key,
                    int32_t fallback) {
    std::vector<std::string> lines = lines_of(text);
    Found f = find(lines, section, key);
    if (f.key_line < 0) return fallback;
    const std::string& line = lines[static_cast<size_t>(f.key_line)];
    std::string value = unquoted(trim(line.substr(line.find('=') + 1)));
    return value.empty() ? fallback : wrapped_integer(value); // an empty value counts as missing
}

std::string with_profile_value(const std::string& text, const std::string& section,
                               const std::string& key, const std::string& value) {
    std::vector<std::string> lines = lines_of(text);
    const std::string entry = key + "=" + value;
    Found f = find(lines, section, key);
    if (f.key_line >= 0) {
        lines[static_cast<size_t>(f.key_line)] = entry;
    } else if (f.section_line >= 0) {
        lines.insert(lines.begin() + f.last_line + 1, entry);
    } else {
        lines.push_back("[" + section + "]");
        lines.push_back(entry);
    }
    std::string out;
    for (const std::string& line : lines) out += line + "\r\n";
    return out;
}

} // namespace levo
