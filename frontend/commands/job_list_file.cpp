#include "frontend/commands/job_list_file.h"

#include "frontend/commands/text_parts.h"

namespace commands {

bool runs_x264(const std::string& line) {
    return begins_with(line, "@x264.exe") || begins_with(line, "@if errorlevel 1 @x264.exe");
}

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

namespace {

bool runs_audio(const std::string& line) {
    return begins_with(line, "@bepipe.exe") || begins_with(line, "@ffmpeg.exe");
}

// The first name in double quotes after `after`; empty when there is none.
std::string quoted_after(const std::string& line, const std::string& after) {
    size_t at = line.find(after);
    if (at == std::string::npos) return "";
    size_t open = line.find('"', at + after.size());
    size_t close = open == std::string::npos ? open : line.find('"', open + 1);
    if (close == std::string::npos) return "";
    return name_in_script(line.substr(open + 1, close - open - 1));
}

// The last name in double quotes: the file an audio line writes.
std::string last_quoted(const std::string& line) {
    size_t close = line.rfind('"');
    size_t open =
        close == std::string::npos || close == 0 ? std::string::npos : line.rfind('"', close - 1);
    if (open == std::string::npos) return "";
    return name_in_script(line.substr(open + 1, close - open - 1));
}

} // namespace

std::vector<QueuedJob> queued_jobs(const JobList& lines) {
    std::vector<QueuedJob> jobs;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (!begins_with(lines[i], "@echo.")) continue;
        QueuedJob job;
        std::string output, matroska, audio;
        bool x264 = false, live = false;
        size_t j = i + 1;
        for (; j < lines.size() && !begins_with(lines[j], "@echo+"); ++j) {
            const std::string& line = lines[j];
            if (begins_with(line, "@echo Input:")) job.input = quoted_after(line, "Input:");
            if (begins_with(line, "@echo Output:")) output = quoted_after(line, "Output:");
            if (begins_with(line, "@mkvmerge -o ")) matroska = quoted_after(line, "-o ");
            if (runs_audio(line)) audio = last_quoted(line), live = true;
            if (runs_x264(line)) {
                x264 = live = true;
                if (job.log_file.empty()) job.log_file = quoted_after(line, "|runlog.exe ");
            }
        }
        if (j == lines.size()) break; // no "@echo+": not a block
        i = j;
        if (!live) continue;
        job.final_file = !matroska.empty() ? matroska : x264 ? output : audio;
        jobs.push_back(job);
    }
    return jobs;
}

} // namespace commands
