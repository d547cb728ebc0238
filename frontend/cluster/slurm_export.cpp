#include "frontend/cluster/slurm_export.h"

#include <algorithm>
#include <map>
#include <set>

#include "frontend/commands/job_blocks.h"
#include "frontend/commands/job_sharing.h"

namespace cluster {

namespace {

struct Job {
    size_t number = 0; // 1, 2, ... in list order
    std::vector<std::string> sh;
    std::string final_file, log_file;
    std::vector<std::string> writes;
    unsigned cpus = 1;
};

// The threads an x264 line asks for; 0 when x264 chooses ("auto", none).
unsigned threads_of(const std::string& line) {
    size_t at = line.find("--threads ");
    if (at == std::string::npos) return 0;
    unsigned n = 0;
    for (size_t i = at + 10; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i)
        n = n * 10 + static_cast<unsigned>(line[i] - '0');
    return std::min(n, 1024u);
}

std::string job_name(const Job& job) {
    return "job " + std::to_string(job.number) + " (" + job.final_file + ")";
}

// Where a task marks a job that did not produce its file, for report.sh.
std::string failed_mark(const Job& job, const SlurmOptions& o) {
    return sh_quoted(o.folder + "failed/" + std::to_string(job.number));
}

// A job produced its file when every x264 pass it ran ended well and its
// file is there, not empty, and finished (videoend); the task fails
// otherwise and marks the job for the report.
std::string task_text(const std::vector<const Job*>& jobs, const SlurmOptions& o) {
    std::string text = "#!/bin/sh\n# The lines of";
    for (const Job* j : jobs) text += " " + job_name(*j);
    text += ", for sh.\ntools=" + sh_quoted(o.tools) +
            "\nstatus=0\nlevel=0\nx264_status=$(mktemp) || exit 1\ntrap 'rm -f \"$x264_status\"' "
            "EXIT\n";
    for (const Job* j : jobs) {
        text += "\n# " + job_name(*j) + "\nfailed=0\n";
        for (const std::string& line : j->sh) text += line + "\n";
        const std::string file = sh_quoted(j->final_file);
        text += "if [ \"$failed\" = 0 ] && \"$tools/videoend\" " + file + "; then :; else echo " +
                sh_quoted("no whole video came from " + j->final_file) +
                " >&2; status=1; mkdir -p " + sh_quoted(o.folder + "failed") + " && : >" +
                failed_mark(*j, o) + "; fi\n";
    }
    return text + "exit $status\n";
}

// report.txt in the words of the window's report.
std::string report_text(const std::vector<Job>& jobs, const SlurmOptions& o) {
    std::string text = "#!/bin/sh\n# Once the array has ended: which jobs produced their file.\n"
                       "cd " +
                       sh_quoted(o.folder) + " || exit 1\ntools=" + sh_quoted(o.tools) +
                       "\nmade=0\nmissing=''\n"
                       "check() {\n"
                       "  why=$(\"$tools/videoend\" \"$1\" 2>&1) && [ ! -e \"failed/$3\" ] && "
                       "{ made=$((made + 1)); return; }\n"
                       "  if [ -z \"$2\" ]; then missing=\"$missing\n$1 (no log)\"; else "
                       "missing=\"$missing\n$1 (log: $2)\"; fi\n"
                       "  [ -z \"$why\" ] || missing=\"$missing\n  $why\"\n"
                       "  [ -n \"$2\" ] || return\n"
                       "  last=$(tr -d '\\r' <\"$2\" 2>/dev/null | grep -v -e '^StartTime:' -e "
                       "'^EndTime:' -e '^-----*$' -e '^[[:space:]]*$' | tail -n 1)\n"
                       "  [ -z \"$last\" ] || missing=\"$missing\n  $last\"\n"
                       "}\n";
    for (const Job& j : jobs)
        text += "check " + sh_quoted(j.final_file) + " " +
                (j.log_file.empty() ? std::string("''") : sh_quoted(j.log_file)) + " " +
                std::to_string(j.number) + "\n";
    const std::string n = std::to_string(jobs.size());
    text += jobs.size() == 1 ? "words='job produced its file.'\n"
                             : "words='jobs produced their file.'\n";
    text += "{\n  echo \"$made of " + n +
            " $words\"\n"
            "  [ -z \"$missing\" ] || printf '\\nNo file came from:%s\\n' \"$missing\"\n"
            "} >report.txt\n";
    return text;
}

// A node's name with "." and ".." resolved and repeated "/" read as one, so
// that two spellings of one file are one name.
std::string same_file_path(const std::string& path) {
    std::vector<std::string> parts;
    for (size_t at = 0; at <= path.size();) {
        size_t end = path.find('/', at);
        if (end == std::string::npos) end = path.size();
        std::string part = path.substr(at, end - at);
        at = end + 1;
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else {
            parts.push_back(part);
        }
    }
    std::string out;
    for (const std::string& part : parts) out += "/" + part;
    return out.empty() ? "/" : out;
}

std::string sbatch_text(size_t first, size_t count, unsigned cpus, const SlurmOptions& o) {
    std::string text =
        "#!/bin/sh\n#SBATCH --job-name=quorbel\n#SBATCH --array=0-" + std::to_string(count - 1);
    if (o.max_running > 0) text += "%" + std::to_string(o.max_running);
    // Quoted for sbatch, which reads the line as words; the folder holds
    // no quote, '%' or line break (slurm_export refuses those).
    text += "\n#SBATCH --output=\"" + o.folder +
            "log/%A_%a.out\"\n#SBATCH --cpus-per-task=" + std::to_string(cpus) + "\nexec sh " +
            sh_quoted(o.folder) + "task-$((SLURM_ARRAY_TASK_ID";
    if (first > 0) text += " + " + std::to_string(first);
    return text + ")).sh\n";
}

std::string submit_text(const std::vector<std::string>& sbatch_files,
                        const std::set<std::string>& programs, const SlurmOptions& o) {
    std::string text = "#!/bin/sh\n# Submits the array and the report job; prints the array's "
                       "job id.\ncd " +
                       sh_quoted(o.folder) + " || exit 1\ntools=" + sh_quoted(o.tools) +
                       "\nmissing=''\n";
    for (const std::string& p : programs) {
        if (p.rfind("$tools/", 0) == 0)
            text +=
                "[ -x \"" + p + "\" ] || missing=\"$missing " + p.substr(7) + " (in $tools)\"\n";
        else
            text += "command -v " + p + " >/dev/null 2>&1 || missing=\"$missing " + p + "\"\n";
    }
    text += "if [ -n \"$missing\" ]; then echo \"submit.sh: not found:$missing\" >&2; exit 1; fi\n"
            "mkdir -p log\nrm -rf failed # the marks of an earlier run\nids=''\n";
    for (const std::string& f : sbatch_files)
        text += "id=$(sbatch --parsable " + f +
                ") || exit 1\nids=\"$ids:${id%%;*}\"\necho \"${id%%;*}\"\n";
    text += "sbatch --parsable --job-name=quorbel-report --dependency=afterany$ids "
            "--output=log/report.out report.sh >/dev/null || exit 1\n";
    return text;
}

} // namespace

SlurmExport slurm_export(const commands::JobList& lines, const SlurmOptions& o) {
    SlurmExport out;
    // Slurm's --output reads "%" as its own patterns, and the #SBATCH line
    // ends at a line break.
    if (o.folder.find_first_of("%\"\n\r") != std::string::npos) {
        out.refusal = "the export folder " + sh_quoted(o.folder) +
                      " holds a '%', a '\"' or a line break, which Slurm's --output cannot name";
        return out;
    }
    std::vector<Job> jobs;
    std::set<std::string> programs;
    for (const commands::JobBlock& block : commands::live_jobs(lines)) {
        Job job;
        job.number = jobs.size() + 1;
        std::string refusal;
        std::optional<std::string> final_file = node_path(block.final_file, o.maps, refusal);
        std::optional<std::string> log_file = block.log_file.empty()
                                                  ? std::optional<std::string>("")
                                                  : node_path(block.log_file, o.maps, refusal);
        for (size_t i = block.first; i < block.end && refusal.empty(); ++i) {
            PosixLine line = posix_line(lines[i], o.maps);
            if (!line.refusal.empty()) {
                out.refusal = "job " + std::to_string(job.number) +
                              " cannot run on a node: " + line.refusal + ", in its line " +
                              lines[i];
                return out;
            }
            if (!line.sh.empty()) job.sh.push_back(line.sh);
            programs.insert(line.programs.begin(), line.programs.end());
            if (commands::runs_x264(lines[i])) {
                // A pass that failed fails its job, whatever file it left.
                job.sh.push_back("[ \"$level\" = 0 ] || failed=1");
                job.cpus = std::max(job.cpus, threads_of(lines[i]) ? threads_of(lines[i]) : o.cpus);
            }
        }
        if (!refusal.empty() || !final_file || !log_file) {
            out.refusal = "job " + std::to_string(job.number) + " cannot run on a node: " + refusal;
            return out;
        }
        if (final_file->empty()) {
            out.refusal = "job " + std::to_string(job.number) + " writes no file";
            return out;
        }
        job.final_file = *final_file;
        job.log_file = *log_file;
        for (const std::string& f : commands::files_written(lines, block.first, block.end)) {
            std::optional<std::string> w = node_path(f, o.maps, refusal);
            if (w) w = same_file_path(*w);
            if (w && std::find(job.writes.begin(), job.writes.end(), *w) == job.writes.end())
                job.writes.push_back(*w);
        }
        jobs.push_back(std::move(job));
    }
    programs.insert("$tools/videoend"); // each task's and the report's check
    if (jobs.empty()) {
        out.refusal = "the list holds no job to run";
        return out;
    }

    // Jobs that write one file go to one task, in list order.
    commands::JobGroups groups(jobs.size());
    std::map<std::string, size_t> writer;
    for (size_t j = 0; j < jobs.size(); ++j)
        for (const std::string& f : jobs[j].writes) {
            auto [it, first] = writer.emplace(f, j);
            if (first) continue;
            groups.join(it->second, j);
            out.notes.push_back("jobs " + std::to_string(jobs[it->second].number) + " and " +
                                std::to_string(jobs[j].number) + " both write " + f +
                                ": one task runs them one after another");
        }
    std::vector<std::vector<const Job*>> tasks;
    std::map<size_t, size_t> task_of_group;
    for (size_t j = 0; j < jobs.size(); ++j) {
        auto [it, first] = task_of_group.emplace(groups.find(j), tasks.size());
        if (first) tasks.emplace_back();
        tasks[it->second].push_back(&jobs[j]);
    }

    for (size_t t = 0; t < tasks.size(); ++t)
        out.files.emplace_back("task-" + std::to_string(t) + ".sh", task_text(tasks[t], o));
    std::vector<std::string> sbatch_files;
    const size_t per_array = std::max(1u, o.max_array_size);
    for (size_t first = 0; first < tasks.size(); first += per_array) {
        size_t count = std::min(per_array, tasks.size() - first);
        unsigned cpus = 1;
        for (size_t t = first; t < first + count; ++t)
            for (const Job* j : tasks[t]) cpus = std::max(cpus, j->cpus);
        std::string name = first == 0
                               ? "quorbel.sbatch"
                               : "quorbel-" + std::to_string(first / per_array + 1) + ".sbatch";
        sbatch_files.push_back(name);
        out.files.emplace_back(name, sbatch_text(first, count, cpus, o));
    }
    out.files.emplace_back("report.sh", report_text(jobs, o));
    out.files.emplace_back("submit.sh", submit_text(sbatch_files, programs, o));
    return out;
}

} // namespace cluster
