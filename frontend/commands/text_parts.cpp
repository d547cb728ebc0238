#include "frontend/commands/text_parts.h"

#include <cstdio>

#include "frontend/settings/ascii_case.h"

namespace commands {

namespace {

size_t name_start(const std::string& path) {
    size_t sep = path.find_last_of("\\/");
    return sep == std::string::npos ? 0 : sep + 1;
}

} // namespace

std::string folder_part(const std::string& path) {
    return path.substr(0, name_start(path));
}

std::string file_name(const std::string& path) {
    return path.substr(name_start(path));
}

bool has_extension_dot(const std::string& path) {
    return path.find('.', name_start(path)) != std::string::npos;
}

std::string extension(const std::string& path) {
    if (!has_extension_dot(path)) return "";
    return path.substr(path.find_last_of('.') + 1);
}

std::string output_stem(const std::string& path) {
    return path.substr(0, path.size() - extension(path).size());
}

std::string upper(std::string text) {
    return settings::ascii_upper(text);
}

bool begins_with(const std::string& line, const std::string& text) {
    return line.compare(0, text.size(), text) == 0;
}

std::string trim_spaces(const std::string& text) {
    size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos) return "";
    return text.substr(begin, text.find_last_not_of(' ') - begin + 1);
}

std::string ratio_text(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6f", static_cast<double>(static_cast<float>(value)));
    return buf;
}

std::string script_name(const std::string& name) {
    std::string out;
    for (char c : name) {
        out += c;
        if (c == '%') out += '%';
    }
    return out;
}

std::string name_in_script(const std::string& written) {
    std::string out;
    for (size_t i = 0; i < written.size(); ++i) {
        out += written[i];
        if (written[i] == '%' && i + 1 < written.size() && written[i + 1] == '%') ++i;
    }
    return out;
}

} // namespace commands
