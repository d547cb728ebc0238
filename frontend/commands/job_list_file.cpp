#include "frontend/commands/job_list_file.h"

namespace commands {

std::string job_list_file_text(const JobList& jobs) {
    std::string text;
    for (const std::string& line : jobs) text += line + "\r\n";
    return text;
}

std::optional<JobList> read_job_list_file(const std::string& bytes) {
    JobList jobs;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) return std::nullopt; // cut off
        std::string line = bytes.substr(start, end - start);
        for (char c : line) {
            unsigned char u = static_cast<unsigned char>(c);
            if ((u < 32 && c != '\t') || u == 127) return std::nullopt;
        }
        jobs.push_back(std::move(line));
        start = end + 2;
    }
    return jobs;
}

} // namespace commands
