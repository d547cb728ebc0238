// What the window tells when a script started by "Start" has ended.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "frontend/commands/job_list_file.h"
#include "platform/os.h"

namespace ui {

// One message for one script: how many of its jobs produced their final
// file (there, not empty, and written after the start, in Os::now seconds),
// and each job that did not, with its log file:
//   temp.bat has ended: 1 of 2 jobs produced their file.
//
//   No file came from:
//   D:\v\b.mkv (log: C:\enc\log\b.y4m.txt)
std::string script_report(const std::string& script, const std::vector<commands::QueuedJob>& jobs,
                          int64_t started, platform::Os& os);

} // namespace ui
