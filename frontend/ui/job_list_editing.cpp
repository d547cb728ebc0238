#include "frontend/ui/job_list_editing.h"

#include "frontend/commands/job_blocks.h"
#include "frontend/commands/text_parts.h"

#include <algorithm>

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

namespace {

// Where the block stands in the list as it was when started, or npos.
size_t find_block(const commands::JobList& jobs, const commands::JobList& block) {
    if (block.empty() || block.size() > jobs.size()) return std::string::npos;
    for (size_t at = 0; at + block.size() <= jobs.size(); ++at)
        if (std::equal(block.begin(), block.end(), jobs.begin() + static_cast<long>(at))) return at;
    return std::string::npos;
}

void disable(std::string& line) {
    if (!commands::begins_with(line, "@rem ")) line.insert(0, "@rem ");
}

} // namespace

bool mark_done(commands::JobList& jobs, const commands::JobList& block) {
    size_t at = find_block(jobs, block);
    if (at == std::string::npos) return false;
    for (size_t i = at; i < at + block.size(); ++i)
        if (commands::line_kind(jobs[i]) != commands::LineKind::marker) disable(jobs[i]);
    return true;
}

bool mark_line_done(commands::JobList& jobs, const commands::JobList& block, size_t line) {
    size_t at = find_block(jobs, block);
    if (at == std::string::npos || line >= block.size()) return false;
    disable(jobs[at + line]);
    return true;
}

} // namespace ui
