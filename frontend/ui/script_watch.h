// The scripts "Start" has started: each waits for its idle priority class,
// then is watched until it ends. While they run, the watch follows their
// jobs (the passes their logs have framed, the files they have written, the
// progress x264 shows in each script's console) for the window's title and
// taskbar button; when one ends, its jobs are reported.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "frontend/commands/job_list.h"
#include "frontend/ui/queue_progress.h"
#include "frontend/ui/script_report.h"
#include "platform/os.h"
#include "platform/processes.h"

namespace ui {

// How often the running scripts are looked at.
constexpr int watch_interval_ms = 500;

// A script as it is watched.
struct WatchedScript {
    uint32_t pid;
    std::string name;
    int64_t started; // Os::now() at the start
    std::vector<WatchedJob> jobs;
    int64_t created = 0; // the process's creation, as Processes::created gives it
};

class ScriptWatch {
  public:
    ScriptWatch(platform::Os& os, platform::Processes& processes)
        : os_(os), processes_(processes) {}

    // A script started as `name` with process ID `pid`, running the jobs of
    // `lines` as they stand now. `frames` are the inputs' frame counts
    // measured when their jobs were added, by input.
    void started(uint32_t pid, std::string name, const commands::JobList& lines,
                 const std::map<std::string, int64_t>& frames = {}, int64_t created = 0);
    // A script of an earlier run that still runs, watched again.
    void watch_again(WatchedScript script) { running_.push_back(std::move(script)); }
    // The oldest started script still waiting for its idle class.
    std::optional<uint32_t> take_waiting();
    // Reads what the running scripts' jobs have done since the last look.
    void follow();
    // The scripts that have ended since the last look, in the order they
    // ended, with the time they were seen to end (Os::now()).
    struct Ended {
        WatchedScript script;
        int64_t ended;
    };
    std::vector<Ended> look();
    bool watching() const { return !running_.empty(); }
    const std::vector<WatchedScript>& running() const { return running_; }
    // Every file the running scripts' jobs write (commands::files_written).
    std::vector<std::string> files_written() const;
    // The whole queue's fraction done, never falling while scripts run;
    // nothing before any progress is known.
    std::optional<double> fraction() const { return shown_; }
    // "quorbel" when nothing runs, else the progress title (queue_progress.h).
    std::string title() const;

  private:
    platform::Os& os_;
    platform::Processes& processes_;
    std::deque<uint32_t> waiting_;
    std::vector<WatchedScript> running_;
    std::optional<double> shown_;
    int64_t since_ = 0; // when the scripts watched now began
};

} // namespace ui
