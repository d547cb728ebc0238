#include "frontend/commands/input_probe.h"

#include "frontend/commands/text_parts.h"

namespace commands {

std::optional<std::string> wrapped_source(const std::string& wrapper_text) {
    const std::string head = "fs=\"";
    if (!begins_with(wrapper_text, head)) return std::nullopt;
    size_t end = wrapper_text.find('"', head.size());
    size_t line_end = wrapper_text.find_first_of("\r\n");
    if (end == std::string::npos || end > line_end) return std::nullopt;
    return wrapper_text.substr(head.size(), end - head.size());
}

std::string source_of(const std::string& input, platform::Os& os) {
    // Wrappers are AviSynth scripts of three short lines; media files are
    // never read here.
    if (upper(extension(input)) != "AVS") return input;
    std::optional<std::string> text = os.read_file(input);
    std::optional<std::string> source = text ? wrapped_source(*text) : std::nullopt;
    return source && !source->empty() ? *source : input;
}

std::string InputProbe::source_of(const std::string& path) {
    return commands::source_of(path, os_);
}

std::optional<platform::MediaLength> InputProbe::media_probe(const std::string& path) {
    auto known = known_.find(path);
    if (known != known_.end()) return known->second;
    std::optional<platform::MediaLength> length = media_.media_probe(path);
    if (!length) {
        std::string source = source_of(path);
        if (source != path) length = media_.media_probe(source);
    }
    known_[path] = length;
    return length;
}

} // namespace commands
