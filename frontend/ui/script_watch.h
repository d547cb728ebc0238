// The scripts "Start" has started: each waits for its idle priority class,
// then is watched until it ends, when the report of its jobs is told.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "frontend/commands/job_list.h"
#include "frontend/ui/script_report.h"
#include "platform/os.h"
#include "platform/processes.h"

namespace ui {

// How often the running scripts are looked at.
constexpr int watch_interval_ms = 500;

class ScriptWatch {
  public:
    ScriptWatch(platform::Os& os, platform::Processes& processes)
        : os_(os), processes_(processes) {}

    // A script started as `name` with process ID `pid`, running the jobs of
    // `lines` as they stand now.
    void started(uint32_t pid, std::string name, const commands::JobList& lines);
    // The oldest started script still waiting for its idle class.
    std::optional<uint32_t> take_waiting();
    // Looks at the running scripts without waiting: the report of each that
    // has ended since the last look, in the order they ended.
    std::vector<std::string> look();
    bool watching() const { return !running_.empty(); }
    // "quorbel", or "quorbel - 1 script running", "quorbel - 2 scripts running".
    std::string title() const;

  private:
    struct Running {
        uint32_t pid;
        std::string name;
        int64_t started; // Os::now() at the start
        std::vector<WatchedJob> jobs;
    };
    platform::Os& os_;
    platform::Processes& processes_;
    std::deque<uint32_t> waiting_;
    std::vector<Running> running_;
};

} // namespace ui
