// How "Start" shares the list among scripts run at once: whole jobs in list
// order, and no file written by two scripts.
#include <gtest/gtest.h>

#include <set>

#include "commands_fixture.h"
#include "frontend/commands/job_block.h"
#include "frontend/commands/job_blocks.h"
#include "frontend/commands/job_sharing.h"
#include "test_support.h"

using namespace commands;

namespace {

// A job of the worked example's settings in `mode`, named after `name`;
// jobs may share a stats file.
JobList job(int mode, const std::string& name, const std::string& stats) {
    settings::Settings s = test::example_settings();
    s.mode = mode;
    s.value = mode == 2 ? "20" : "1000";
    s.infile = "C:\\in\\" + name + ".avs";
    s.outfile = "C:\\out\\" + name + ".mp4";
    s.statsname = "C:\\enc\\stats\\" + stats;
    s.logname = "C:\\enc\\log\\" + name + ".txt";
    return job_block(s, {});
}

// The program's folder, where the scripts run: relative names start there.
const std::string program = "C:\\prog\\";

JobList queue() {
    JobList lines;
    for (const JobList& j : {job(6, "a", "a.stat"),  // two-pass, target bitrate
                             job(2, "b", "b.stat"),  // CRF: no stats file
                             job(13, "c", "c.stat"), // the conditional pair
                             job(6, "d", "A.STAT"),  // a's stats file, in other letters
                             job(2, "e", "e.stat")})
        lines.insert(lines.end(), j.begin(), j.end());
    lines.push_back("shutdown.exe -s -f -t 30");
    return lines;
}

// What a script writes, each name once, as the names fold.
std::set<std::string> writes(const JobList& script, platform::Os& os) {
    std::set<std::string> keys;
    for (const std::string& f : files_written(script, 0, script.size()))
        keys.insert(os.case_key(f));
    return keys;
}

} // namespace

TEST(JobSharing, ScriptsAtOnceRunWholeJobsInOrderAndShareNoWrittenFile) {
    test::TestOs os;
    const JobList lines = queue();
    SharedJobs shared = share_jobs(lines, 2, {}, os, program);
    ASSERT_EQ(shared.scripts.size(), 2u);
    EXPECT_EQ(shared.left, 0u);
    // a and d write one stats file: one script runs both, in list order;
    // the others go where the fewest passes wait.
    const JobList a = job(6, "a", "a.stat"), b = job(2, "b", "b.stat"), c = job(13, "c", "c.stat"),
                  d = job(6, "d", "A.STAT"), e = job(2, "e", "e.stat");
    auto joined = [](std::initializer_list<JobList> jobs) {
        JobList all;
        for (const JobList& j : jobs) all.insert(all.end(), j.begin(), j.end());
        return all;
    };
    EXPECT_EQ(shared.scripts[0], joined({a, d}));
    EXPECT_EQ(shared.scripts[1], joined({b, c, e}));
    // The table of what each writes.
    const std::set<std::string> first = writes(shared.scripts[0], os),
                                second = writes(shared.scripts[1], os);
    auto keys = [&](std::initializer_list<const char*> names) {
        std::set<std::string> k;
        for (const char* n : names) k.insert(os.case_key(n));
        return k;
    };
    EXPECT_EQ(first, keys({"C:\\out\\a.mp4", "C:\\enc\\stats\\a.stat", "C:\\enc\\log\\a.txt",
                           "C:\\out\\d.mp4", "C:\\enc\\log\\d.txt"}));
    EXPECT_EQ(second, keys({"C:\\out\\b.mp4", "C:\\enc\\log\\b.txt", "C:\\out\\c.mp4",
                            "C:\\enc\\stats\\c.stat", "C:\\enc\\log\\c.txt", "C:\\out\\e.mp4",
                            "C:\\enc\\log\\e.txt"}));
    for (const std::string& k : first) EXPECT_EQ(second.count(k), 0u) << k;
    // More scripts than jobs: one job each, no empty script.
    EXPECT_EQ(share_jobs(lines, 8, {}, os, program).scripts.size(), 4u);
    // The shutdown line keeps its place only in one script.
    EXPECT_EQ(lines_outside_jobs(lines), JobList{"shutdown.exe -s -f -t 30"});
    EXPECT_TRUE(lines_outside_jobs(joined({a, {"@rem shutdown.exe", ""}, b})).empty());
}

TEST(JobSharing, JobsThatWriteWhatARunningScriptWritesWait) {
    test::TestOs os;
    const JobList lines = queue();
    // Alone, with nothing running: the whole list, every byte.
    EXPECT_EQ(share_jobs(lines, 1, {}, os, program).scripts, std::vector<JobList>{lines});
    // b runs: the rest, the shutdown line in its place.
    const JobList b = job(2, "b", "b.stat");
    SharedJobs shared = share_jobs(lines, 1, files_written(b, 0, b.size()), os, program);
    EXPECT_EQ(shared.left, 1u);
    JobList without_b = lines;
    without_b.erase(without_b.begin() + static_cast<long>(job(6, "a", "a.stat").size()),
                    without_b.begin() + static_cast<long>(job(6, "a", "a.stat").size() + b.size()));
    EXPECT_EQ(shared.scripts, std::vector<JobList>{without_b});
    // A running script writes a's stats file: a waits, and d with it.
    shared = share_jobs(lines, 2, {"c:\\ENC\\stats\\a.stat"}, os, program);
    EXPECT_EQ(shared.left, 2u);
    for (const JobList& script : shared.scripts)
        for (const std::string& f : files_written(script, 0, script.size()))
            EXPECT_NE(os.case_key(f), os.case_key("C:\\enc\\stats\\a.stat"));
    // Everything runs: nothing to start.
    std::vector<std::string> all = files_written(lines, 0, lines.size());
    EXPECT_TRUE(share_jobs(lines, 1, all, os, program).scripts.empty());
    // Every job done (its lines disabled), the shutdown line too: nothing.
    JobList done = lines;
    for (std::string& line : done)
        if (line_kind(line) != LineKind::marker) line.insert(0, "@rem ");
    EXPECT_TRUE(share_jobs(done, 1, {}, os, program).scripts.empty());
    EXPECT_TRUE(share_jobs(done, 2, {}, os, program).scripts.empty());
}

TEST(JobSharing, OneFileSpeltManyWaysIsOneFile) {
    test::TestOs os;
    // One output, as edited lines or typed names may spell it; each job has
    // its own log, and runs one CRF pass.
    const std::vector<std::string> spellings = {
        "C:\\out\\a.mkv",  "C:/out/a.mkv",          "C:\\out\\sub\\..\\a.mkv", "C:\\out\\.\\a.mkv",
        "C:\\out\\a.mkv.", "\\\\?\\C:\\out\\a.mkv", "..\\out\\a.mkv",          "c:\\OUT\\A.MKV"};
    JobList lines;
    for (size_t i = 0; i < spellings.size(); ++i) {
        settings::Settings s = test::example_settings();
        s.mode = 2;
        s.value = "20";
        s.infile = "C:\\in\\" + std::to_string(i) + ".avs";
        s.outfile = spellings[i];
        s.logname = "C:\\enc\\log\\" + std::to_string(i) + ".txt";
        JobList j = job_block(s, {});
        lines.insert(lines.end(), j.begin(), j.end());
    }
    SharedJobs shared = share_jobs(lines, 2, {}, os, program);
    EXPECT_EQ(shared.scripts, std::vector<JobList>{lines});
    // A running script writes it, under yet another spelling: all wait.
    shared = share_jobs(lines, 2, {"C:\\OUT\\x\\..\\a.mkv"}, os, program);
    EXPECT_EQ(shared.left, spellings.size());
    // Other names stay other files.
    for (const char* other : {"C:\\out\\a.mkv2", "C:\\out\\b\\a.mkv", "C:\\prog\\out\\a.mkv"})
        EXPECT_NE(os.file_key(other, program), os.file_key("C:\\out\\a.mkv", program)) << other;
}
