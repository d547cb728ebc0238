#include "frontend/ui/script_report.h"

namespace ui {

std::vector<WatchedJob> watched_jobs(const commands::JobList& lines, platform::Os& os) {
    std::vector<WatchedJob> jobs;
    for (commands::JobBlock& block : commands::live_jobs(lines)) {
        std::optional<platform::FileInfo> log =
            block.log_file.empty() ? std::nullopt : os.file_info(block.log_file);
        jobs.push_back({std::move(block), log ? log->size : 0});
    }
    return jobs;
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

bool produced(const WatchedJob& job, int64_t started, int64_t ended, platform::Os& os) {
    std::optional<platform::FileInfo> info = os.file_info(job.block.final_file);
    return info && info->size > 0 && info->modified >= started && info->modified <= ended &&
           !log_tells_error(job, os);
}

std::string script_report(const std::string& script, const std::vector<WatchedJob>& jobs,
                          int64_t started, int64_t ended, platform::Os& os) {
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
    }
    std::string text = script + " has ended: " + std::to_string(made) + " of " +
                       std::to_string(jobs.size()) + (jobs.size() == 1 ? " job" : " jobs") +
                       " produced " + (jobs.size() == 1 ? "its" : "their") + " file.";
    if (!missing.empty()) text += "\n\nNo file came from:" + missing;
    return text;
}

} // namespace ui
