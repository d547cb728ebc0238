// The job list kept between runs ("quorbel.jobs").
#pragma once

#include <optional>
#include <string>

#include "frontend/commands/job_list.h"

namespace commands {

// The file's text: every line followed by CR LF.
std::string job_list_file_text(const JobList& jobs);

// The lines of such a file; nothing when the bytes are not one (a NUL or
// another control character, a line not ended by CR LF, a cut-off last line).
std::optional<JobList> read_job_list_file(const std::string& bytes);

} // namespace commands
