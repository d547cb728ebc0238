// Starting a batch script in a console of its own, lowering its priority and
// learning when it has ended: what "Start" needs from the system. Tests swap
// in a recording fake.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

class Processes {
  public:
    virtual ~Processes() = default;
    // Starts the script (command line: its name in double quotes) with a
    // visible console, `folder` as its current folder and the idle priority
    // class from the first instruction on; its process ID, or nothing when it
    // could not be created.
    virtual std::optional<uint32_t> start_script(const std::string& script,
                                                 const std::string& folder) = 0;
    // Opens the script through the shell's "open" action; no process ID.
    virtual bool shell_open(const std::string& script, const std::string& folder) = 0;
    // Sets the process with this ID to the idle priority class.
    virtual bool set_idle_priority(uint32_t pid) = 0;
    // Whether a script started here has ended (or is not known here). It is
    // asked without waiting.
    virtual bool has_ended(uint32_t pid) = 0;
    // The title of the console of a script started (or watched again) here:
    // x264 shows its progress there while it encodes. Nothing when it cannot
    // be read.
    virtual std::optional<std::string> console_title(uint32_t pid) = 0;
    // When the process with this ID was created (an opaque count, the same
    // for one process while it lives); nothing when none runs.
    virtual std::optional<int64_t> created(uint32_t pid) = 0;
    // Watches a script started by an earlier run of the program again, when
    // the process of this ID still runs and was created at `created`: then
    // has_ended and console_title answer for it. False when it has ended.
    virtual bool watch_again(uint32_t pid, int64_t created) = 0;
};

// The system's own (Windows only).
Processes& native_processes();

} // namespace platform
