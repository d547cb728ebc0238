// Editing the job list: the lines of the "Job" page with at most one
// selected.
#pragma once

#include <string>

#include "frontend/commands/job_list.h"

namespace ui {

constexpr int no_selection = -1;

// "del": removes the whole block around the selected line, as the job
// blocks' reader bounds it (a block whose "@echo+" was edited away ends
// before the next block). A line that stands outside every block is removed
// alone. Afterwards nothing is selected. Returns the first index whose line
// changed.
size_t delete_block(commands::JobList& jobs, int& selected);

// "Disable": "@rem " in front, or taken away again.
void toggle_disabled(std::string& line);

// A job that produced its file is marked done: every line of its block but
// the two markers gets the mark "Disable" writes, so that a script of the
// list runs it no more (enabling the lines runs it again). The block is found
// by its lines as they were when it was started; false when the list holds
// it no more as it was (edited, deleted).
bool mark_done(commands::JobList& jobs, const commands::JobList& block);
// The same for one line of a job (a multi-pass job's completed pass).
bool mark_line_done(commands::JobList& jobs, const commands::JobList& block, size_t line);

} // namespace ui
