// The x264 in use, looked at when the window starts and before "Start": the
// lines are fitted to what it takes, and inputs reach it in a way it can read.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "frontend/commands/job_list.h"
#include "frontend/settings/settings.h"
#include "platform/tools.h"

namespace ui {

struct FoundX264 {
    std::string path;
    int build;
};

// x264.exe as the scripts find it: in the program's folder, in its "tools"
// folder, then on the search path. Nothing when it is not there or does not
// tell its build.
std::optional<FoundX264> find_x264(platform::Tools& tools, const std::string& program_folder);

// What the start-up question offers for the x264 found: the other dialect of
// the lines when the build refuses options that the chosen one writes (and
// takes those of the other), and "x264 opens the input itself" when inputs go
// through wrappers that no AviSynth can read. `question` is empty when there
// is nothing to offer.
struct ToolchainOffer {
    bool other_dialect = false;
    bool direct_input = false;
    std::string question;
};
ToolchainOffer toolchain_offer(const settings::Settings& s, const FoundX264& x264,
                               bool avisynth_installed);

// The options of the job list's live x264 lines that the build refuses, and
// in how many lines; nothing refused gives an empty text. Otherwise:
//   x264.exe (build 3095) refuses --progress and --bime, used in 4 of the 6 queued x264 lines.
std::string refused_in_queue(const commands::JobList& jobs, const FoundX264& x264);

} // namespace ui
