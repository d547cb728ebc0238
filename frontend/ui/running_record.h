// quorbel.running, beside quorbel.jobs: which jobs went to which running
// script, so that a window started again after a stop (closed or killed
// while scripts ran, the machine stopped) can watch the scripts that still
// run and tell what the others left. Written whole whenever a script starts
// or ends; gone when none runs. Lines end in CR LF:
//   script temp.bat 4242 133790123456789012 1765400000
//   job 0 6
//   (the job's six lines, as the script runs them)
// A script's name, process ID, the process's creation (Processes::created)
// and its start (Os::now); each job's log length when it started and its
// block's lines.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "frontend/commands/job_list.h"

namespace ui {

struct RecordedJob {
    int64_t log_from = 0;
    commands::JobList lines;
};

struct RecordedScript {
    std::string name;
    uint32_t pid = 0;
    int64_t created = 0, started = 0;
    std::vector<RecordedJob> jobs;
};

std::string running_record_text(const std::vector<RecordedScript>& scripts);
// Nothing when the text is not such a record, or names a script that is not
// one of the names started scripts take ("temp.bat", "temp2.bat", ...).
std::optional<std::vector<RecordedScript>> read_running_record(const std::string& text);

} // namespace ui
