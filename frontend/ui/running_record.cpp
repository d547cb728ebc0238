#include "frontend/ui/running_record.h"

#include <sstream>

#include "frontend/commands/batch_script.h"

namespace ui {

std::string running_record_text(const std::vector<RecordedScript>& scripts) {
    std::string text;
    for (const RecordedScript& s : scripts) {
        text += "script " + s.name + " " + std::to_string(s.pid) + " " + std::to_string(s.created) +
                " " + std::to_string(s.started) + "\r\n";
        for (const RecordedJob& j : s.jobs) {
            text +=
                "job " + std::to_string(j.log_from) + " " + std::to_string(j.lines.size()) + "\r\n";
            for (const std::string& line : j.lines) text += line + "\r\n";
        }
    }
    return text;
}

std::optional<std::vector<RecordedScript>> read_running_record(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find("\r\n", at);
        if (end == std::string::npos) return std::nullopt; // cut off
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    std::vector<RecordedScript> scripts;
    for (size_t i = 0; i < lines.size();) {
        std::istringstream head(lines[i++]);
        std::string word;
        head >> word;
        if (word == "script") {
            RecordedScript s;
            if (!(head >> s.name >> s.pid >> s.created >> s.started) ||
                !commands::is_started_script_name(s.name))
                return std::nullopt;
            scripts.push_back(std::move(s));
        } else if (word == "job" && !scripts.empty()) {
            RecordedJob j;
            size_t count = 0;
            if (!(head >> j.log_from >> count) || count > lines.size() - i) return std::nullopt;
            j.lines.assign(lines.begin() + static_cast<long>(i),
                           lines.begin() + static_cast<long>(i + count));
            i += count;
            scripts.back().jobs.push_back(std::move(j));
        } else {
            return std::nullopt;
        }
    }
    return scripts;
}

} // namespace ui
