// The job list as a Slurm array job. Each live job block becomes part of one
// array task, a POSIX sh script translated line by line (posix_lines.h);
// jobs that write one file (jobs made one at a time from one source share
// their stats and log names) go to one task, which runs them one after
// another. The folder gets:
//   quorbel.sbatch          the array (quorbel-2.sbatch, ... beyond 1000 tasks)
//   task-I.sh               the jobs of task I; exits 1 when a final file is
//                           missing or empty
//   report.sh               writes report.txt once the array has ended
//   submit.sh               checks the tools, submits the arrays and the report
//                           job, prints the arrays' job ids
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "frontend/cluster/posix_lines.h"
#include "frontend/commands/job_list.h"

namespace cluster {

struct SlurmOptions {
    std::string folder;             // where the files go, as the nodes name it, ending in "/"
    std::string tools;              // the folder of runlog and sizegate on the nodes
    std::vector<PathMap> maps;      // Windows paths in the lines
    unsigned max_running = 0;       // tasks at once; 0: as many as Slurm allows
    unsigned cpus = 1;              // per task when x264 chooses its threads
    unsigned max_array_size = 1000; // tasks per array (Slurm's MaxArraySize less one)
};

struct SlurmExport {
    std::vector<std::pair<std::string, std::string>> files; // name in the folder, text
    std::string refusal;            // one line naming the job and the line; no files then
    std::vector<std::string> notes; // what the export did about shared files
};

SlurmExport slurm_export(const commands::JobList& lines, const SlurmOptions& options);

} // namespace cluster
