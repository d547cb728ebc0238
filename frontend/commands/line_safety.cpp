#include "frontend/commands/line_safety.h"

#include <vector>

#include "frontend/commands/text_parts.h"

namespace commands {

namespace {

using settings::Settings;

// Fields the lines always enclose in double quotes; `cfgname` and the
// toolchain's fields never reach a line.
bool quoted_or_unused(const settings::FieldSpec& f) {
    if (f.toolchain) return true;
    for (auto member : {&Settings::infile, &Settings::outfile, &Settings::statsname,
                        &Settings::logname, &Settings::avsinc, &Settings::cfgname})
        if (f.text == member) return true;
    return false;
}

// A matrix file is written as the path in its own double quotes.
bool quoted_path(const std::string& text) {
    return text.size() >= 2 && text.front() == '"' && text.back() == '"' &&
           text.find('"', 1) == text.size() - 1;
}

} // namespace

std::optional<std::string> unsafe_field(const Settings& s) {
    for (const settings::FieldSpec& f : settings::schema()) {
        if (f.kind != settings::Kind::text) continue;
        const std::string& text = s.*f.text;
        bool quoted_path_of_matrix = f.text == &Settings::cqm && quoted_path(text);
        bool quoted = quoted_or_unused(f) || quoted_path_of_matrix;
        // A matrix file's own enclosing quotes are the only ones a value may hold.
        std::string_view inner(text);
        if (quoted_path_of_matrix) inner = inner.substr(1, inner.size() - 2);
        for (char c : inner) {
            unsigned char u = static_cast<unsigned char>(c);
            if (u < 32 || u == 127) return std::string(f.key);
            if (c == '"' && f.text != &Settings::cfgname) return std::string(f.key);
            if (!quoted && std::string_view("&|<>^%").find(c) != std::string_view::npos)
                return std::string(f.key);
        }
    }
    return std::nullopt;
}

namespace {

// The name in double quotes around `at`, or the text from `at` to the end of
// its word when it stands unquoted.
std::string name_around(const std::string& text, size_t at) {
    size_t open = std::string::npos;
    bool inside = false;
    for (size_t i = 0; i < at; ++i)
        if (text[i] == '"') inside = !inside, open = i;
    if (!inside) return text.substr(at, text.find(' ', at) - at);
    size_t close = text.find('"', at);
    return text.substr(open + 1, close == std::string::npos ? close : close - open - 1);
}

} // namespace

std::optional<std::string> piped_percent_problem(const std::string& line) {
    if (begins_with(line, "@rem ")) return std::nullopt;
    // The text after the batch file's own pass ("%%" read as "%"), cut into
    // the sides of its pipes.
    const std::string text = name_in_script(line);
    std::vector<size_t> side_starts = {0};
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"') quoted = !quoted;
        if (text[i] == '|' && !quoted) side_starts.push_back(i + 1);
    }
    if (side_starts.size() == 1) return std::nullopt;
    side_starts.push_back(text.size() + 1);
    for (size_t side = 0; side + 1 < side_starts.size(); ++side) {
        size_t last = std::string::npos;
        for (size_t i = side_starts[side]; i + 1 < side_starts[side + 1]; ++i) {
            if (text[i] != '%') continue;
            if (last != std::string::npos &&
                text.find('"', last + 1) > i) // no quote between the two
                return name_around(text, last);
            last = i;
        }
    }
    return std::nullopt;
}

} // namespace commands
