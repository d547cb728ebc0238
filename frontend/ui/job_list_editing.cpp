#include "frontend/ui/job_list_editing.h"

#include "frontend/commands/text_parts.h"

namespace ui {

using commands::begins_with;

namespace {

// A line is inside a block when, looking up from it, a block's first line
// comes before any block's last line; the last line itself is inside.
bool inside_block(const commands::JobList& jobs, size_t line) {
    if (begins_with(jobs[line], "@echo+")) return true;
    for (size_t i = line + 1; i-- > 0;) {
        if (begins_with(jobs[i], "@echo.")) return true;
        if (begins_with(jobs[i], "@echo+")) return false;
    }
    return false;
}

} // namespace

size_t delete_block(commands::JobList& jobs, int& selected) {
    size_t at = static_cast<size_t>(selected);
    selected = no_selection;
    if (!inside_block(jobs, at)) {
        jobs.erase(jobs.begin() + static_cast<long>(at));
        return at;
    }
    while (at > 0 && !begins_with(jobs[at], "@echo.")) --at;
    // From the block's first line down to its "@echo+", or to the end of the
    // list when that line was edited away.
    size_t end = at + 1;
    while (end < jobs.size() && !begins_with(jobs[end], "@echo+")) ++end;
    if (end < jobs.size()) ++end;
    jobs.erase(jobs.begin() + static_cast<long>(at), jobs.begin() + static_cast<long>(end));
    return at;
}

void toggle_disabled(std::string& line) {
    if (begins_with(line, "@rem "))
        line.erase(0, 5);
    else
        line.insert(0, "@rem ");
}

} // namespace ui
