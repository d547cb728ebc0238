#include "frontend/settings/ini_reader.h"

#include "frontend/settings/settings.h"

namespace settings {

namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim_start(std::string_view s) {
    while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
    return s;
}

std::string_view trim_end(std::string_view s) {
    while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
    return s;
}

} // namespace

bool has_utf8_mark(std::string_view bytes) {
    return bytes.size() > 2 && bytes.substr(0, 3) == "\xEF\xBB\xBF";
}

IniReader::IniReader(std::string_view text) {
    size_t pos = 0;
    while (pos < text.size()) {
        // A line ends at CR or LF; runs of them make empty lines, which are skipped.
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = trim_start(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') break; // entries inside a group are never seen
        size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue; // not an entry
        entries_.emplace_back(std::string(trim_end(line.substr(0, eq))),
                              std::string(trim_start(line.substr(eq + 1))));
    }
}

std::optional<std::string> IniReader::value(const std::string& key, bool trim) const {
    for (const auto& [k, v] : entries_)
        if (same_key(k, key)) return trim ? std::string(trim_end(v)) : v;
    return std::nullopt;
}

} // namespace settings
