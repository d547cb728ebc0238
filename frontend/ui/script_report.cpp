#include "frontend/ui/script_report.h"

#include "frontend/commands/text_parts.h"
#include "tools/videoend/video_end.h"

namespace ui {

std::vector<WatchedJob> watched_jobs(const commands::JobList& lines, platform::Os& os) {
    std::vector<WatchedJob> jobs;
    for (commands::JobBlock& block : commands::live_jobs(lines)) {
        std::optional<platform::FileInfo> log =
            block.log_file.empty() ? std::nullopt : os.file_info(block.log_file);
        WatchedJob job;
        job.lines.assign(lines.begin() + static_cast<long>(block.first),
                         lines.begin() + static_cast<long>(block.end));
        for (const std::string& line : job.lines) job.passes += commands::runs_x264(line);
        job.log_from = job.log_seen = log ? log->size : 0;
        job.block = std::move(block);
        jobs.push_back(std::move(job));
    }
    return jobs;
}

WatchedJob recorded_job(const commands::JobList& lines, int64_t log_from) {
    WatchedJob job;
    std::vector<commands::JobBlock> blocks = commands::job_blocks(lines);
    if (!blocks.empty()) job.block = blocks.front();
    job.lines = lines;
    for (const std::string& line : lines) job.passes += commands::runs_x264(line);
    job.log_from = job.log_seen = log_from;
    return job;
}

namespace {

// Whether x264 told of an error in what the run appended to the log.
bool log_tells_error(const WatchedJob& job, platform::Os& os) {
    if (job.block.log_file.empty()) return false;
    std::optional<std::string> log = os.read_file(job.block.log_file);
    if (!log || static_cast<int64_t>(log->size()) <= job.log_from) return false;
    return log->find("x264 [error]", static_cast<size_t>(job.log_from)) != std::string::npos;
}

} // namespace

bool touched(const WatchedJob& job, int64_t started, platform::Os& os) {
    std::vector<std::string> files = commands::files_written(job.lines, 0, job.lines.size());
    for (const std::string& line : job.lines)
        if (std::optional<std::string> stats = commands::stats_file(line))
            files.push_back(*stats + ".temp");
    for (const std::string& file : files) {
        std::optional<platform::FileInfo> info = os.file_info(file);
        if (info && info->modified >= started) return true;
    }
    return false;
}

bool cut_short(const WatchedJob& job, platform::Os& os) {
    std::optional<platform::FileInfo> info = os.file_info(job.block.final_file);
    if (!info || info->size == 0) return false;
    const std::string& file = job.block.final_file;
    return videoend::video_end(info->size, [&](int64_t offset, size_t size) {
               return os.read_part(file, offset, size);
           }) == videoend::VideoEnd::cut_short;
}

bool produced(const WatchedJob& job, int64_t started, int64_t ended, platform::Os& os) {
    std::optional<platform::FileInfo> info = os.file_info(job.block.final_file);
    return info && info->size > 0 && info->modified >= started && info->modified <= ended &&
           !log_tells_error(job, os) && !cut_short(job, os);
}

std::string last_log_line(const WatchedJob& job, platform::Os& os) {
    if (job.block.log_file.empty()) return "";
    std::optional<platform::FileInfo> info = os.file_info(job.block.log_file);
    if (!info || info->size <= job.log_from) return "";
    std::optional<std::string> text = os.read_part(job.block.log_file, job.log_from,
                                                   static_cast<size_t>(info->size - job.log_from));
    if (!text) return "";
    // Lines end in LF (CR LF); x264's progress is CR-separated within one.
    std::string last;
    size_t start = 0;
    while (start < text->size()) {
        size_t end = text->find('\n', start);
        if (end == std::string::npos) end = text->size();
        std::string line = text->substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        size_t cr = line.rfind('\r');
        if (cr != std::string::npos) line.erase(0, cr + 1);
        bool frame = line.empty() || commands::begins_with(line, "StartTime:") ||
                     commands::begins_with(line, "EndTime:") ||
                     line.find_first_not_of('-') == std::string::npos;
        if (!frame) last = line;
        start = end + 1;
    }
    return last;
}

std::string script_report(const std::string& script, const std::vector<WatchedJob>& jobs,
                          int64_t started, int64_t ended, platform::Os& os, size_t marked) {
    if (jobs.empty()) return script + " has ended; it ran no job.";
    size_t made = 0;
    std::string missing;
    for (const WatchedJob& job : jobs) {
        if (produced(job, started, ended, os)) {
            ++made;
            continue;
        }
        const std::string& log = job.block.log_file;
        missing +=
            "\n" + job.block.final_file + (log.empty() ? " (no log)" : " (log: " + log + ")");
        if (cut_short(job, os)) missing += std::string("\n  ") + videoend::cut_short_reason;
        std::string last = last_log_line(job, os);
        if (!last.empty()) missing += "\n  " + last;
    }
    std::string text = script + " has ended: " + std::to_string(made) + " of " +
                       std::to_string(jobs.size()) + (jobs.size() == 1 ? " job" : " jobs") +
                       " produced " + (jobs.size() == 1 ? "its" : "their") + " file.";
    if (marked == jobs.size())
        text += marked == 1 ? " It is marked done: \"Start\" does not run it again."
                            : " They are marked done: \"Start\" does not run them again.";
    else if (marked == 1)
        text += " The job that did is marked done: \"Start\" runs only the others.";
    else if (marked > 1)
        text += " The " + std::to_string(marked) +
                " jobs that did are marked done: \"Start\" runs only the others.";
    if (!missing.empty()) text += "\n\nNo file came from:" + missing;
    return text;
}

} // namespace ui
