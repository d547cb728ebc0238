// What the window tells when a script started by "Start" has ended, and
// whether each of its jobs produced its final file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "frontend/commands/job_blocks.h"
#include "platform/os.h"

namespace ui {

// A job of a started script, as its lines stood when it started, and how
// long its log was then (its x264 passes append to it).
struct WatchedJob {
    commands::JobBlock block;
    int64_t log_from = 0;
};
// The jobs of the lines, each with its log's present length.
std::vector<WatchedJob> watched_jobs(const commands::JobList& lines, platform::Os& os);

// A job produced its final file when the file is there and not empty, was
// last written while its script ran (from `started` to `ended`, in Os::now
// seconds: not before, and not in the future of the end), and its log holds
// no "x264 [error]" line among what the script's run appended.
bool produced(const WatchedJob& job, int64_t started, int64_t ended, platform::Os& os);

// One message for one script: how many of its jobs produced their final
// file, and each job that did not, with its log file:
//   temp.bat has ended: 1 of 2 jobs produced their file.
//
//   No file came from:
//   D:\v\b.mkv (log: C:\enc\log\b.y4m.txt)
std::string script_report(const std::string& script, const std::vector<WatchedJob>& jobs,
                          int64_t started, int64_t ended, platform::Os& os);

} // namespace ui
