#include "frontend/ui/job_list_editing.h"

#include "frontend/commands/job_blocks.h"
#include "frontend/commands/text_parts.h"

namespace ui {

size_t delete_block(commands::JobList& jobs, int& selected) {
    size_t at = static_cast<size_t>(selected);
    selected = no_selection;
    std::optional<commands::JobBlock> block = commands::block_around(jobs, at);
    if (!block) {
        jobs.erase(jobs.begin() + static_cast<long>(at));
        return at;
    }
    jobs.erase(jobs.begin() + static_cast<long>(block->first),
               jobs.begin() + static_cast<long>(block->end));
    return block->first;
}

void toggle_disabled(std::string& line) {
    if (commands::begins_with(line, "@rem "))
        line.erase(0, 5);
    else
        line.insert(0, "@rem ");
}

} // namespace ui
