#include "plugin/profile_text.h"

#include <cstdlib>
#include <vector>

namespace levo {

namespace {

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t"), e = s.find_last_not_of(" \t");
    return b == std::string::npos ? "" : s.substr(b, e - b + 1);
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        pos = end + 1;
    }
    return lines;
}

// "[name]" gives name; anything else nothing.
bool section_name(const std::string& line, std::string& name) {
    std::string t = trim(line);
    if (t.empty() || t[0] != '[') return false;
    size_t close = t.find(']');
    name = lower(trim(t.substr(1, close == std::string::npos ? std::string::npos : close - 1)));
    return true;
}

bool entry_key(const std::string& line, std::string& key) {
    size_t eq = line.find('=');
    if (eq == std::string::npos) return false;
    key = lower(trim(line.substr(0, eq)));
    return true;
}

} // namespace

int32_t profile_int(const std::string& text, const std::string& section, const std::string& key,
                    int32_t fallback) {
    std::string current, k;
    bool inside = false;
    for (const std::string& line : lines_of(text)) {
        if (section_name(line, current)) {
            inside = current == lower(section);
        } else if (inside && entry_key(line, k) && k == lower(key)) {
            std::string v = trim(line.substr(line.find('=') + 1));
            return static_cast<int32_t>(std::strtol(v.c_str(), nullptr, 10));
        }
    }
    return fallback;
}

std::string with_profile_value(const std::string& text, const std::string& section,
                               const std::string& key, const std::string& value) {
    std::vector<std::string> lines = lines_of(text);
    const std::string entry = key + "=" + value;
    std::string current, k;
    int section_at = -1, last_in_section = -1;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        if (section_name(lines[i], current)) {
            if (section_at >= 0) break;
            if (current == lower(section)) section_at = last_in_section = i;
        } else if (section_at >= 0) {
            if (entry_key(lines[i], k) && k == lower(key)) {
                lines[i] = entry;
                section_at = -2; // replaced
                break;
            }
            if (!trim(lines[i]).empty()) last_in_section = i;
        }
    }
    if (section_at == -1) {
        lines.push_back("[" + section + "]");
        lines.push_back(entry);
    } else if (section_at >= 0) {
        lines.insert(lines.begin() + last_in_section + 1, entry);
    }
    std::string out;
    for (const std::string& line : lines) out += line + "\r\n";
    return out;
}

} // namespace levo
