#include "frontend/commands/job_sharing.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <set>

#include "frontend/commands/job_blocks.h"

namespace commands {

std::vector<std::string> lines_outside_jobs(const JobList& lines) {
    std::vector<bool> inside(lines.size(), false);
    for (const JobBlock& block : job_blocks(lines))
        std::fill(inside.begin() + static_cast<long>(block.first),
                  inside.begin() + static_cast<long>(block.end), true);
    std::vector<std::string> outside;
    for (size_t i = 0; i < lines.size(); ++i) {
        LineKind kind = line_kind(lines[i]);
        bool runs = !lines[i].empty() && kind != LineKind::disabled && kind != LineKind::echo;
        if (!inside[i] && runs) outside.push_back(lines[i]);
    }
    return outside;
}

JobGroups::JobGroups(size_t jobs) : parent(jobs) {
    std::iota(parent.begin(), parent.end(), 0);
}

size_t JobGroups::find(size_t job) {
    while (parent[job] != job) job = parent[job] = parent[parent[job]];
    return job;
}

void JobGroups::join(size_t a, size_t b) {
    a = find(a), b = find(b);
    if (a != b) parent[std::max(a, b)] = std::min(a, b);
}

SharedJobs share_jobs(const JobList& lines, size_t count, const std::vector<std::string>& busy,
                      platform::Os& os, const std::string& folder) {
    SharedJobs shared;
    count = std::max<size_t>(count, 1);
    if (count == 1 && busy.empty()) {
        // The whole list as it stands, unless nothing in it runs.
        if (!live_jobs(lines).empty() || !lines_outside_jobs(lines).empty())
            shared.scripts.push_back(lines);
        return shared;
    }
    std::set<std::string> busy_keys;
    for (const std::string& file : busy) busy_keys.insert(os.file_key(file, folder));

    std::vector<JobBlock> jobs = live_jobs(lines);
    std::vector<bool> left(jobs.size(), false);
    JobGroups groups(jobs.size());
    std::map<std::string, size_t> writer; // a file's first writer
    for (size_t j = 0; j < jobs.size(); ++j) {
        for (const std::string& file : files_written(lines, jobs[j].first, jobs[j].end)) {
            std::string key = os.file_key(file, folder);
            if (busy_keys.count(key)) left[j] = true;
            auto [it, first] = writer.emplace(key, j);
            if (!first) groups.join(it->second, j);
        }
    }
    // A job joined to one left out waits with it.
    for (size_t j = 0; j < jobs.size(); ++j)
        if (left[j]) left[groups.find(j)] = true;
    for (size_t j = 0; j < jobs.size(); ++j) {
        left[j] = left[groups.find(j)];
        shared.left += left[j];
    }
    if (shared.left == jobs.size()) return shared;

    if (count == 1) {
        JobList script;
        size_t next = 0; // the first line not yet taken
        for (size_t j = 0; j < jobs.size(); ++j) {
            if (!left[j]) continue;
            script.insert(script.end(), lines.begin() + static_cast<long>(next),
                          lines.begin() + static_cast<long>(jobs[j].first));
            next = jobs[j].end;
        }
        script.insert(script.end(), lines.begin() + static_cast<long>(next), lines.end());
        shared.scripts.push_back(std::move(script));
        return shared;
    }

    std::vector<size_t> script_of(jobs.size());
    std::map<size_t, size_t> group_script;
    std::vector<size_t> passes;
    for (size_t j = 0; j < jobs.size(); ++j) {
        if (left[j]) continue;
        size_t group = groups.find(j);
        auto it = group_script.find(group);
        if (it == group_script.end()) {
            size_t s = passes.size() < count
                           ? passes.size()
                           : static_cast<size_t>(std::min_element(passes.begin(), passes.end()) -
                                                 passes.begin());
            if (s == passes.size()) passes.push_back(0);
            it = group_script.emplace(group, s).first;
        }
        script_of[j] = it->second;
        for (size_t i = jobs[j].first; i < jobs[j].end; ++i)
            passes[it->second] += runs_x264(lines[i]);
        passes[it->second] += 1; // a job without x264 lines still takes its turn
    }
    shared.scripts.resize(passes.size());
    for (size_t j = 0; j < jobs.size(); ++j) {
        if (left[j]) continue;
        JobList& script = shared.scripts[script_of[j]];
        script.insert(script.end(), lines.begin() + static_cast<long>(jobs[j].first),
                      lines.begin() + static_cast<long>(jobs[j].end));
    }
    return shared;
}

} // namespace commands
