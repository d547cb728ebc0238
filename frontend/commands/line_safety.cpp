#include "frontend/commands/line_safety.h"

namespace commands {

namespace {

using settings::Settings;

// Fields the lines always enclose in double quotes; `cfgname` never reaches
// a line.
bool quoted_or_unused(const settings::FieldSpec& f) {
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
            if (!quoted && std::string_view("&|<>^").find(c) != std::string_view::npos)
                return std::string(f.key);
        }
    }
    return std::nullopt;
}

} // namespace commands
