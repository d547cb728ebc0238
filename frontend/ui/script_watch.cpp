#include "frontend/ui/script_watch.h"

#include "frontend/ui/layout.h"

namespace ui {

void ScriptWatch::started(uint32_t pid, std::string name, const commands::JobList& lines) {
    waiting_.push_back(pid);
    running_.push_back({pid, std::move(name), os_.now(), watched_jobs(lines, os_)});
}

std::optional<uint32_t> ScriptWatch::take_waiting() {
    if (waiting_.empty()) return std::nullopt;
    uint32_t pid = waiting_.front();
    waiting_.pop_front();
    return pid;
}

std::vector<std::string> ScriptWatch::look() {
    std::vector<std::string> reports;
    for (size_t i = 0; i < running_.size();) {
        if (!processes_.has_ended(running_[i].pid)) {
            ++i;
            continue;
        }
        const Running& ended = running_[i];
        reports.push_back(script_report(ended.name, ended.jobs, ended.started, os_.now(), os_));
        running_.erase(running_.begin() + static_cast<long>(i));
    }
    return reports;
}

std::string ScriptWatch::title() const {
    size_t n = running_.size();
    if (n == 0) return window_title;
    return std::string(window_title) + " - " + std::to_string(n) +
           (n == 1 ? " script running" : " scripts running");
}

} // namespace ui
