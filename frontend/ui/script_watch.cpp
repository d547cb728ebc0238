#include "frontend/ui/script_watch.h"

#include <algorithm>

#include "frontend/ui/layout.h"

namespace ui {

void ScriptWatch::started(uint32_t pid, std::string name, const commands::JobList& lines,
                          const std::map<std::string, int64_t>& frames, int64_t created) {
    // The fraction is of the jobs of the scripts that run: it starts anew
    // whenever they change.
    if (running_.empty()) since_ = os_.now();
    shown_.reset();
    waiting_.push_back(pid);
    WatchedScript script{pid, std::move(name), os_.now(), watched_jobs(lines, os_), created};
    for (WatchedJob& job : script.jobs) {
        auto it = frames.find(job.block.input);
        if (it != frames.end()) job.frames = it->second;
    }
    running_.push_back(std::move(script));
}

std::optional<uint32_t> ScriptWatch::take_waiting() {
    if (waiting_.empty()) return std::nullopt;
    uint32_t pid = waiting_.front();
    waiting_.pop_front();
    return pid;
}

namespace {

size_t count_of(const std::string& text, const std::string& word) {
    size_t n = 0;
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++n;
    return n;
}

// The passes of a job's log that have begun and ended since it was last
// read: runlog frames each pass with "StartTime:" and "EndTime:" lines.
void read_log(WatchedJob& job, platform::Os& os) {
    if (job.block.log_file.empty()) return;
    std::optional<platform::FileInfo> info = os.file_info(job.block.log_file);
    if (!info || info->size <= job.log_seen) return;
    // From the start of the line last read to, so that a line cut by the
    // read is read whole next time.
    std::optional<std::string> text = os.read_part(job.block.log_file, job.log_seen,
                                                   static_cast<size_t>(info->size - job.log_seen));
    if (!text) return;
    size_t whole = text->rfind('\n');
    if (whole == std::string::npos) return;
    const std::string lines = text->substr(0, whole + 1);
    job.passes_started += static_cast<int>(count_of(lines, "StartTime:"));
    job.passes_ended += static_cast<int>(count_of(lines, "EndTime:"));
    job.log_seen += static_cast<int64_t>(lines.size());
}

// Whether the job has left a trace of having begun: a pass its log framed,
// or its final file written since the script started.
bool has_begun(const WatchedJob& job, int64_t started, platform::Os& os) {
    if (job.passes_started > 0) return true;
    std::optional<platform::FileInfo> info = os.file_info(job.block.final_file);
    return info && info->modified >= started;
}

} // namespace

void ScriptWatch::follow() {
    std::vector<JobProgress> all;
    for (WatchedScript& script : running_) {
        // Jobs run in order: every job before the last one that has begun
        // has ended. Only the jobs from the first that has not ended on are
        // looked at.
        size_t first_open = 0;
        while (first_open < script.jobs.size() && script.jobs[first_open].ended) ++first_open;
        size_t current = script.jobs.size();
        for (size_t i = first_open; i < script.jobs.size() && i <= first_open + 1; ++i) {
            read_log(script.jobs[i], os_);
            if (has_begun(script.jobs[i], script.started, os_)) current = i;
        }
        for (size_t i = first_open; current != script.jobs.size() && i < current; ++i)
            script.jobs[i].ended = true;
        std::optional<std::string> title = processes_.console_title(script.pid);
        std::optional<PassProgress> shown = title ? x264_title_progress(*title) : std::nullopt;
        const PassProgress pass = shown.value_or(PassProgress{0, 0});
        for (size_t i = 0; i < script.jobs.size(); ++i) {
            WatchedJob& job = script.jobs[i];
            JobProgress p;
            p.passes = std::max(job.passes, 1);
            p.passes_done = std::min(job.passes_ended, p.passes);
            if (!job.ended && i == current && job.passes_ended >= p.passes) job.ended = true;
            if (!job.ended && pass.frames > 0 &&
                (i == current || (current == script.jobs.size() && i == 0))) {
                job.frames = pass.frames;
                p.current = static_cast<double>(pass.frame) / static_cast<double>(pass.frames);
            }
            p.frames = job.frames;
            p.ended = job.ended;
            all.push_back(p);
        }
    }
    std::optional<double> now = queue_fraction(all);
    if (now && (!shown_ || *now > *shown_)) shown_ = now;
}

std::vector<ScriptWatch::Ended> ScriptWatch::look() {
    std::vector<Ended> ended;
    for (size_t i = 0; i < running_.size();) {
        if (!processes_.has_ended(running_[i].pid)) {
            ++i;
            continue;
        }
        ended.push_back({std::move(running_[i]), os_.now()});
        running_.erase(running_.begin() + static_cast<long>(i));
    }
    if (!ended.empty()) shown_.reset();
    return ended;
}

std::vector<std::string> ScriptWatch::files_written() const {
    std::vector<std::string> files;
    for (const WatchedScript& script : running_)
        for (const WatchedJob& job : script.jobs) {
            std::vector<std::string> f = commands::files_written(job.lines, 0, job.lines.size());
            files.insert(files.end(), f.begin(), f.end());
        }
    return files;
}

std::string ScriptWatch::title() const {
    if (running_.empty()) return window_title;
    size_t total = 0, done = 0;
    for (const WatchedScript& script : running_)
        for (const WatchedJob& job : script.jobs) total += 1, done += job.ended;
    return progress_title(done, total, shown_, os_.now() - since_);
}

} // namespace ui
