#include "frontend/ui/script_report.h"

namespace ui {

std::string script_report(const std::string& script, const std::vector<commands::QueuedJob>& jobs,
                          int64_t started, platform::Os& os) {
    if (jobs.empty()) return script + " has ended; it ran no job.";
    size_t produced = 0;
    std::string missing;
    for (const commands::QueuedJob& job : jobs) {
        std::optional<platform::FileInfo> info = os.file_info(job.final_file);
        if (info && info->size > 0 && info->modified >= started) {
            ++produced;
            continue;
        }
        missing += "\n" + job.final_file +
                   (job.log_file.empty() ? " (no log)" : " (log: " + job.log_file + ")");
    }
    std::string text = script + " has ended: " + std::to_string(produced) + " of " +
                       std::to_string(jobs.size()) + (jobs.size() == 1 ? " job" : " jobs") +
                       " produced " + (jobs.size() == 1 ? "its" : "their") + " file.";
    if (!missing.empty()) text += "\n\nNo file came from:" + missing;
    return text;
}

} // namespace ui
