#include "frontend/ui/job_queue.h"

#include "frontend/commands/job_list_file.h"

namespace ui {

std::optional<std::string> JobQueue::load() {
    if (!os_.file_exists(file_)) return std::nullopt;
    std::optional<std::string> bytes = os_.read_file(file_);
    if (!bytes)
        return "Cannot read " + file_ + ": " + os_.last_error() + ". The job list starts empty.";
    if (std::optional<commands::JobList> read = commands::read_job_list_file(*bytes)) {
        lines = std::move(*read);
        return std::nullopt;
    }
    std::string kept = os_.set_aside(file_).value_or(file_);
    return file_ + " is damaged and was not read; it is kept as " + kept +
           ". The job list starts empty.";
}

std::optional<std::string> JobQueue::keep() {
    if (os_.write_file(file_, commands::job_list_file_text(lines))) {
        failing_ = false;
        return std::nullopt;
    }
    if (failing_) return std::nullopt;
    failing_ = true;
    return "Cannot write " + file_ + ": " + os_.last_error();
}

} // namespace ui
