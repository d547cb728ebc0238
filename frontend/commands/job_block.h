// A job's whole block of script lines, made from the settings as they
// stand and the job's measured target-size bitrate. Nothing here changes the
// settings; emptying the job's names after "Add" is the caller's.
#pragma once

#include <string>
#include <vector>

#include "frontend/commands/job_list.h"
#include "frontend/commands/size_bitrate.h"

namespace commands {

// One pass of a job: the primitive mode whose row gives its line, the text
// it reads as `value` (the CRF of `auto1pcrf` for the first pass of a mode
// whose row says so), and whether the audio and mux lines follow it.
struct Pass {
    int mode;
    std::string value;
    bool audio;
};

// The passes of the job's mode: one for a primitive mode; for an automated
// mode its two, by its row (a conditional mode's first pass writes no
// audio, and a size test stands between the two).
std::vector<Pass> passes_of(const settings::Settings& s);

// "@echo.", the echo lines, the passes (or only the audio lines for "Audio
// Only"), "@echo+"; the two marker lines alone when the input or the output
// is empty.
JobList job_block(const settings::Settings& s, const TargetRate& rate);

} // namespace commands
