// The job list kept between runs ("quorbel.jobs"), and the jobs a script of
// the list runs, as read back from its lines.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "frontend/commands/job_list.h"

namespace commands {

// The file's text: every line followed by CR LF.
std::string job_list_file_text(const JobList& jobs);

// The lines of such a file; nothing when the bytes are not one (a NUL or
// another control character, a line not ended by CR LF, a cut-off last line).
std::optional<JobList> read_job_list_file(const std::string& bytes);

// Whether a script line runs x264: a pass line, or the guarded second pass
// of a conditional mode (a disabled line does not).
bool runs_x264(const std::string& line);

// One job a script runs: a block from "@echo." to "@echo+" that has a line
// running a program. Its final file is the Matroska file of "MKVMerge", the
// audio file of "Audio Only" (a block without an x264 line), otherwise the
// output its "@echo Output:" line names; its log is the file its x264 lines
// pipe into runlog (empty when none). Names are as the programs get them
// ("%%" read as "%").
struct QueuedJob {
    std::string input, final_file, log_file;
};

// The live jobs of the lines, in order; disabled blocks and lines outside
// every block are not among them.
std::vector<QueuedJob> queued_jobs(const JobList& lines);

} // namespace commands
