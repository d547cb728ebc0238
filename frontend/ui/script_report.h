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
// long its log was then (its x264 passes append to it); then what the watch
// learns of it while it runs.
struct WatchedJob {
    commands::JobBlock block;
    commands::JobList lines; // the block's lines, as the script runs them
    int64_t log_from = 0;
    int passes = 0; // its x264 lines
    int64_t log_seen = 0;
    int passes_started = 0, passes_ended = 0;
    int64_t frames = 0; // 0: not known
    bool ended = false;
};
// The jobs of the lines, each with its log's present length.
std::vector<WatchedJob> watched_jobs(const commands::JobList& lines, platform::Os& os);
// A job as an earlier run recorded it: its block's lines and its log's length then.
WatchedJob recorded_job(const commands::JobList& lines, int64_t log_from);

// A job produced its final file when the file is there and not empty, was
// last written while its script ran (from `started` to `ended`, in Os::now
// seconds: not before, and not in the future of the end), and its log holds
// no "x264 [error]" line among what the script's run appended, and its
// container does not tell that it was cut short (tools/videoend/video_end.h).
bool produced(const WatchedJob& job, int64_t started, int64_t ended, platform::Os& os);
// Whether the job's final file is there and its container tells that the
// program writing it did not finish it.
bool cut_short(const WatchedJob& job, platform::Os& os);

// Whether the run wrote any file of the job (its output, stats, the stats'
// temporary file, its log) at `started` or later: a job that a stopped
// script had begun.
bool touched(const WatchedJob& job, int64_t started, platform::Os& os);

// The last line the run wrote into the job's log, runlog's own frame lines
// aside (x264 states there why it stopped); empty when there is none.
std::string last_log_line(const WatchedJob& job, platform::Os& os);

// One message for one script: how many of its jobs produced their final
// file, that those are marked done (`marked` of them were), and each job
// that did not, with its log file and the log's last line (when every job
// did, the message says that "Start" does not run them again):
//   temp.bat has ended: 1 of 2 jobs produced their file. The job that did is marked done:
//   "Start" runs only the others.
//
//   No file came from:
//   D:\v\b.mkv (log: C:\enc\log\b.y4m.txt)
//     x264 [error]: could not open input file `D:\v\b.y4m'
std::string script_report(const std::string& script, const std::vector<WatchedJob>& jobs,
                          int64_t started, int64_t ended, platform::Os& os, size_t marked = 0);

} // namespace ui
