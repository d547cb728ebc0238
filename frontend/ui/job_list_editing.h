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

} // namespace ui
