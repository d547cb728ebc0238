// The job list as a Slurm array: one task per job, jobs that write one file
// in one task, the array's limits, and the refusals that write nothing.
#include <gtest/gtest.h>

#include "commands_fixture.h"
#include "frontend/cluster/slurm_export.h"
#include "frontend/commands/job_block.h"
#include "test_support.h"

using cluster::slurm_export;

namespace {

commands::JobList job(int mode, const std::string& name, const std::string& stats,
                      const std::string& threads = "1") {
    settings::Settings s = test::example_settings();
    s.mode = mode;
    s.value = mode == 2 ? "20" : "1000";
    s.thr = threads;
    s.infile = "/data/in/" + name + ".y4m";
    s.outfile = "/data/out/" + name + ".mkv";
    s.statsname = "/data/prog/stats\\" + stats;
    s.logname = "/data/prog/log\\" + name + ".txt";
    return commands::job_block(s, {});
}

commands::JobList list_of(std::initializer_list<commands::JobList> jobs) {
    commands::JobList lines;
    for (const commands::JobList& j : jobs) lines.insert(lines.end(), j.begin(), j.end());
    return lines;
}

cluster::SlurmOptions options() {
    cluster::SlurmOptions o;
    o.folder = "/data/export/";
    o.tools = "/opt/quorbel";
    return o;
}

std::string file(const cluster::SlurmExport& e, const std::string& name) {
    for (const auto& [n, text] : e.files)
        if (n == name) return text;
    return "(none)";
}

} // namespace

TEST(SlurmExport, OneTaskPerJobAndJobsThatShareAFileInOne) {
    // b and c come from one source one at a time: they share the stats file.
    commands::JobList lines = list_of({job(2, "a", "a.stat"), job(6, "b", "clip.stat"),
                                       job(6, "c", "clip.stat"), job(2, "d", "d.stat")});
    lines.push_back("shutdown.exe -s -f -t 30"); // outside every job: not exported
    cluster::SlurmOptions o = options();
    o.max_running = 3;
    cluster::SlurmExport e = slurm_export(lines, o);
    ASSERT_EQ(e.refusal, "");
    EXPECT_EQ(file(e, "quorbel.sbatch"), "#!/bin/sh\n"
                                         "#SBATCH --job-name=quorbel\n"
                                         "#SBATCH --array=0-2%3\n"
                                         "#SBATCH --output=\"/data/export/log/%A_%a.out\"\n"
                                         "#SBATCH --cpus-per-task=1\n"
                                         "exec sh /data/export/task-$((SLURM_ARRAY_TASK_ID)).sh\n");
    EXPECT_EQ(e.notes,
              std::vector<std::string>{"jobs 2 and 3 both write /data/prog/stats/clip.stat: "
                                       "one task runs them one after another"});
    const std::string shared = file(e, "task-1.sh");
    EXPECT_NE(shared.find("# job 2 (/data/out/b.mkv)"), std::string::npos) << shared;
    EXPECT_LT(shared.find("# job 2"), shared.find("# job 3 (/data/out/c.mkv)")) << shared;
    EXPECT_NE(file(e, "task-2.sh").find("# job 4 (/data/out/d.mkv)"), std::string::npos);
    EXPECT_EQ(file(e, "task-3.sh"), "(none)");
    // Each task fails, and marks the job for the report, when a pass failed
    // or the final file is missing, empty or cut short.
    EXPECT_NE(shared.find("[ \"$level\" = 0 ] || failed=1\n"), std::string::npos) << shared;
    EXPECT_NE(shared.find("if [ \"$failed\" = 0 ] && \"$tools/videoend\" /data/out/c.mkv; then :; "
                          "else echo 'no whole video came from /data/out/c.mkv' >&2; status=1; "
                          "mkdir -p /data/export/failed && : >/data/export/failed/3; fi\n"),
              std::string::npos)
        << shared;
    EXPECT_EQ(shared.substr(shared.size() - 13), "exit $status\n");
    // The report checks every job; submit.sh every tool, and sends the
    // report job after the array.
    const std::string report = file(e, "report.sh");
    EXPECT_NE(report.find("check /data/out/d.mkv /data/prog/log/d.txt 4\n"), std::string::npos);
    const std::string submit = file(e, "submit.sh");
    EXPECT_NE(submit.find("command -v x264 "), std::string::npos);
    EXPECT_NE(submit.find("[ -x \"$tools/runlog\" ]"), std::string::npos);
    EXPECT_NE(submit.find("[ -x \"$tools/videoend\" ]"), std::string::npos);
    EXPECT_NE(submit.find("--dependency=afterany$ids"), std::string::npos);
}

TEST(SlurmExport, ThreadsSetTheTasksCpusAndLongListsMakeSeveralArrays) {
    cluster::SlurmOptions o = options();
    o.cpus = 4; // for x264's own choice of threads
    o.max_array_size = 2;
    cluster::SlurmExport e = slurm_export(
        list_of({job(2, "a", "a.stat", "2"), job(2, "b", "b.stat", "0"), job(2, "c", "c.stat")}),
        o);
    ASSERT_EQ(e.refusal, "");
    EXPECT_NE(file(e, "quorbel.sbatch").find("--array=0-1\n"), std::string::npos);
    EXPECT_NE(file(e, "quorbel.sbatch").find("--cpus-per-task=4\n"), std::string::npos);
    const std::string second = file(e, "quorbel-2.sbatch");
    EXPECT_NE(second.find("--array=0-0\n"), std::string::npos) << second;
    EXPECT_NE(second.find("--cpus-per-task=1\n"), std::string::npos) << second;
    EXPECT_NE(second.find("task-$((SLURM_ARRAY_TASK_ID + 2)).sh"), std::string::npos) << second;
    EXPECT_NE(file(e, "submit.sh").find("sbatch --parsable quorbel-2.sbatch"), std::string::npos);
}

TEST(SlurmExport, ALineThatCannotRunOnANodeWritesNothing) {
    commands::JobList lines = list_of({job(2, "a", "a.stat"), job(2, "b", "b.stat")});
    lines[lines.size() - 2].insert(1, "mp4creator.exe -create=x.aac x.mp4 & @");
    cluster::SlurmExport e = slurm_export(lines, options());
    EXPECT_TRUE(e.files.empty());
    EXPECT_EQ(e.refusal.rfind("job 2 cannot run on a node: it redirects or chains commands", 0), 0u)
        << e.refusal;
    e = slurm_export({"@echo.", "@rem @x264.exe -o a.mkv a.y4m", "@echo+"}, options());
    EXPECT_EQ(e.refusal, "the list holds no job to run");
}

TEST(SlurmExport, TheExportFolderIsQuotedOrRefused) {
    const commands::JobList lines = list_of({job(2, "a", "a.stat")});
    cluster::SlurmOptions o = options();
    o.folder = "/data/my export/";
    cluster::SlurmExport e = slurm_export(lines, o);
    ASSERT_EQ(e.refusal, "");
    EXPECT_NE(
        file(e, "quorbel.sbatch").find("#SBATCH --output=\"/data/my export/log/%A_%a.out\"\n"),
        std::string::npos);
    EXPECT_NE(file(e, "quorbel.sbatch").find("exec sh '/data/my export/'task-"), std::string::npos);
    EXPECT_NE(file(e, "submit.sh").find("cd '/data/my export/' || exit 1"), std::string::npos);
    for (const std::string folder : {"/data/100%/", "/data/a\nb/", "/data/a\rb/", "/data/\"q\"/"}) {
        o.folder = folder;
        e = slurm_export(lines, o);
        EXPECT_TRUE(e.files.empty()) << folder;
        EXPECT_EQ(e.refusal, "the export folder " + cluster::sh_quoted(folder) +
                                 " holds a '%', a '\"' or a line break, which Slurm's --output "
                                 "cannot name");
    }
}

TEST(SlurmExport, OneFileSpeltTwoWaysIsWrittenByOneTask) {
    commands::JobList lines = list_of({job(2, "a", "a.stat"), job(2, "b", "b.stat")});
    for (std::string& line : lines) {
        size_t at = line.find("/data/out/b.mkv");
        if (at != std::string::npos) line.replace(at, 15, "/data/out/x/..//./a.mkv");
    }
    cluster::SlurmExport e = slurm_export(lines, options());
    ASSERT_EQ(e.refusal, "");
    EXPECT_EQ(e.notes, std::vector<std::string>{"jobs 1 and 2 both write /data/out/a.mkv: one "
                                                "task runs them one after another"});
    EXPECT_EQ(file(e, "task-1.sh"), "(none)");
}

TEST(SlurmExport, EveryJobRunsOrTheExportSaysWhyNot) {
    // Typed in other letters and without "@": still a job, and exported.
    cluster::SlurmExport e = slurm_export(
        {"@echo.", "X264.EXE --crf 20 -o \"/data/out/a.mkv\" \"/data/in/a.y4m\"", "@echo+"},
        options());
    ASSERT_EQ(e.refusal, "");
    EXPECT_NE(file(e, "task-0.sh").find("x264 --crf 20 -o /data/out/a.mkv /data/in/a.y4m"),
              std::string::npos)
        << file(e, "task-0.sh");
    // A program the nodes have no counterpart of refuses the export.
    e = slurm_export({"@echo.", "@myenc.exe -o \"/data/out/b.mkv\"", "@echo+"}, options());
    EXPECT_TRUE(e.files.empty());
    EXPECT_EQ(e.refusal.rfind("job 1 cannot run on a node: it runs myenc.exe, which has no "
                              "counterpart on the nodes, in its line",
                              0),
              0u)
        << e.refusal;
}
