// The job list of the "Job" page: its lines, the selected one, and
// quorbel.jobs, which keeps it between runs (every line followed by CR LF).
#pragma once

#include <optional>
#include <string>

#include "frontend/commands/job_list.h"
#include "frontend/ui/job_list_editing.h"
#include "platform/os.h"

namespace ui {

class JobQueue {
  public:
    JobQueue(platform::Os& os, std::string file) : os_(os), file_(std::move(file)) {}

    commands::JobList lines;
    int selected = no_selection;
    bool has_selection() const {
        return selected >= 0 && static_cast<size_t>(selected) < lines.size();
    }

    // The list of the last run. A damaged file is set aside and the list
    // starts empty; what the user is then told, or nothing.
    std::optional<std::string> load();
    // Writes the list into its file after a change. When that fails, what
    // the user is told: once, until a write works again.
    std::optional<std::string> keep();

  private:
    platform::Os& os_;
    std::string file_;
    bool failing_ = false;
};

} // namespace ui
