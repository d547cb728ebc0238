// How "Start" shares the job list among the scripts it runs at once. Each
// script runs whole jobs in list order; jobs that write one file (an output,
// a stats file, a log) go to one script, so no two scripts that run at once
// write one file; a job that writes a file a running script writes is left
// for later. Names are compared by the file they point to (Os::file_key:
// their full, final paths in the system's case folding), relative ones taken
// from the program's folder, where the scripts run.
#pragma once

#include <string>
#include <vector>

#include "frontend/commands/job_list.h"
#include "platform/os.h"

namespace commands {

// The lines that run outside every job (a shutdown line): their place in
// the list is their order, which scripts run at once cannot keep.
std::vector<std::string> lines_outside_jobs(const JobList& lines);

// Jobs joined by the files they write: each job's group is that of the
// first job it shares a file with, through any chain of shared files.
struct JobGroups {
    explicit JobGroups(size_t jobs);
    size_t find(size_t job); // the group's first job
    void join(size_t a, size_t b);
    std::vector<size_t> parent;
};

struct SharedJobs {
    // At most the scripts asked for; none when no job is left to run.
    std::vector<JobList> scripts;
    size_t left = 0; // jobs left out: they write what a running script writes
};

// The scripts for `count` at once, given `busy`, the files the running
// scripts write. One script with nothing busy is the whole list as it
// stands. One script otherwise is the list without the jobs left out; more
// than one hold the jobs' lines alone (ask first: lines_outside_jobs). The
// jobs go to the script with the fewest passes so far, the first of equals.
SharedJobs share_jobs(const JobList& lines, size_t count, const std::vector<std::string>& busy,
                      platform::Os& os, const std::string& folder);

} // namespace commands
