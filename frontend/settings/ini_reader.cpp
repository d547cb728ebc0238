#include "frontend/settings/ini_reader.h"

#include "frontend/settings/ascii_case.h"

#include <unordered_map>

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

std::string lower(std::string_view key) {
    return ascii_lower(key);
}

// The keys a settings file holds, lower-cased, by their position in the schema.
const std::unordered_map<std::string, size_t>& key_positions() {
    static const std::unordered_map<std::string, size_t> positions = [] {
        std::unordered_map<std::string, size_t> m;
        for (size_t i = 0; i < schema().size(); ++i)
            if (schema()[i].persisted) m.emplace(lower(schema()[i].key), i);
        return m;
    }();
    return positions;
}

constexpr size_t longest_key = 16; // longer keys belong to no field

} // namespace

bool has_utf8_mark(std::string_view bytes) {
    return bytes.size() > 2 && bytes.substr(0, 3) == "\xEF\xBB\xBF";
}

IniReader::IniReader(std::string_view text) : values_(schema().size()) {
    const auto& positions = key_positions();
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
        std::string_view key = trim_end(line.substr(0, eq));
        if (key.size() > longest_key) continue;
        auto found = positions.find(lower(key));
        if (found == positions.end() || values_[found->second]) continue; // the first one wins
        values_[found->second] = trim_start(line.substr(eq + 1));
        ++recognised_;
    }
}

std::optional<std::string> IniReader::value(const std::string& key, bool trim) const {
    auto found = key_positions().find(lower(key));
    if (found == key_positions().end() || !values_[found->second]) return std::nullopt;
    std::string_view v = *values_[found->second];
    return std::string(trim ? trim_end(v) : v);
}

} // namespace settings
