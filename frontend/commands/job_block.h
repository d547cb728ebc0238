// A job's whole block of script lines in the job list.
#pragma once

#include "frontend/commands/job_list.h"

namespace commands {

// "@echo.", the job's lines, "@echo+".
void append_job_block(JobContext& ctx);

// The echo lines and the passes of the chosen mode (or only the audio lines
// for "Audio Only"); then empties the input, output, stats and log names. A
// job without input or output adds nothing.
void add_job(JobContext& ctx);

// One pass line, followed by the audio and mux lines when audio is on and
// the pass writes video.
void add_pass(JobContext& ctx);

} // namespace commands
