// The x264 in use, looked at when the window starts and before "Start": the
// lines are fitted to what it takes, inputs reach it in a way it can read,
// and its abilities (what it reads and writes, from its help text) shape the
// names derived for new jobs.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "frontend/commands/job_list.h"
#include "frontend/commands/x264_history.h"
#include "frontend/session/x264_in_use.h"
#include "frontend/settings/settings.h"
#include "platform/tools.h"

namespace ui {

using session::FoundX264;

// What the user is told when no x264.exe is found: where to put it.
std::string missing_x264_note(const std::string& program_folder);

// What "Start" asks about before it runs the queue: x264 lines with no
// x264.exe found, or with one (`unknown_x264`, its path) that does not say
// which build it is, direct audio lines with no ffmpeg.exe found ("" when the
// program is there or no line needs it).
std::string missing_program_in_queue(const commands::JobList& jobs, bool x264_found,
                                     bool ffmpeg_found, const std::string& unknown_x264 = "");

// What the start-up question offers for the x264 found: the other dialect of
// the lines when the build refuses options that the chosen one writes (and
// takes those of the other), with it x264's own choice of threads when the
// settings use one and the offer is the current lines, and "x264 opens the
// input itself" when inputs go through wrappers that no AviSynth can read.
// `question` is empty when there is nothing to offer; when it is asked, it
// also says when the build writes no MP4.
struct ToolchainOffer {
    bool other_dialect = false;
    bool own_threads = false;
    bool direct_input = false;
    std::string question;
};
ToolchainOffer toolchain_offer(const settings::Settings& s, const FoundX264& x264,
                               bool avisynth_installed);

// What the job list's live x264 lines ask of the build that it cannot do:
// options it refuses, and MP4 files when it writes none; an empty text when
// there is nothing. Otherwise, for instance:
//   x264.exe (build 3095) refuses --progress and --bime, used in 4 of the 6 queued x264 lines.
//   x264.exe (build 3095) writes no MP4 files, which 2 of the 6 queued x264 lines write.
std::string refused_in_queue(const commands::JobList& jobs, const FoundX264& x264);

} // namespace ui
