// How far the running queue has come, for the window's title and its taskbar
// button. Work is counted in frames × passes: a job's frames are what x264
// showed while it ran, else what its input measured when it was added, else
// the mean of the jobs whose frames are known. The whole queue's fraction is
// (the work of the ended jobs + the work the running jobs have done) ÷ all
// the work; the time left is (1 − fraction) × elapsed ÷ fraction.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ui {

// The progress of the pass x264 is running, from the title it gives its
// console while it encodes: "x264 [10.8%] 43/400 frames, 22.13 fps, ...".
struct PassProgress {
    int64_t frame, frames;
};
std::optional<PassProgress> x264_title_progress(const std::string& title);

// One job of the running scripts, as far as the watch knows it.
struct JobProgress {
    int64_t frames = 0;  // 0: not known
    int passes = 1;      // its x264 lines (at least one: an audio-only job counts as one)
    int passes_done = 0; // passes that have ended
    double current = 0;  // the running pass's fraction, 0 to 1
    bool ended = false;  // the job is over (its script went on, or ended)
};

// The fraction of all the work that is done, 0 to 1; nothing while no work
// is known to be done (no job ended, no pass shown).
std::optional<double> queue_fraction(const std::vector<JobProgress>& jobs);

// The window's title while scripts run:
//   quorbel - 1 of 3 done - 42% - 0:01:05 left
//   quorbel - 0 of 3 done                       (before any progress is known)
std::string progress_title(size_t done, size_t total, std::optional<double> fraction,
                           int64_t elapsed_seconds);

} // namespace ui
