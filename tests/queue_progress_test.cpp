// The running queue's progress: x264's console titles read, the whole
// queue's fraction from job sizes, the time left from a fixed clock, and the
// watch following scripts through their logs and consoles.
#include <gtest/gtest.h>

#include "front_end_fixture.h"
#include "frontend/ui/queue_progress.h"
#include "frontend/ui/script_watch.h"

using namespace ui;
using test::FrontEndTest;

TEST(QueueProgress, X264sConsoleTitles) {
    struct Case {
        const char* title;
        std::optional<int64_t> frame, frames;
    } cases[] = {
        {"x264 [10.8%] 43/400 frames, 22.13 fps, 276.07 kb/s, eta 0:00:16", 43, 400},
        {"x264 [0.2%] 1/400 frames, 5.81 fps, 2242.20 kb/s, eta 0:01:08", 1, 400},
        {"x264 [100.0%] 250/250 frames, 80.00 fps, 300.00 kb/s, eta 0:00:00", 250, 250},
        {"C:\\windows\\system32\\cmd.exe", std::nullopt, std::nullopt}, // between passes
        {"x264 [5.0%] frames", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        std::optional<PassProgress> p = x264_title_progress(c.title);
        ASSERT_EQ(p.has_value(), c.frame.has_value());
        if (!p) continue;
        EXPECT_EQ(p->frame, *c.frame);
        EXPECT_EQ(p->frames, *c.frames);
    }
}

TEST(QueueProgress, FractionAndTimeLeftFromJobSizes) {
    auto job = [](int64_t frames, int passes, int done, double current, bool ended) {
        JobProgress j;
        j.frames = frames, j.passes = passes, j.passes_done = done, j.current = current;
        j.ended = ended;
        return j;
    };
    struct Case {
        const char* what;
        std::vector<JobProgress> jobs;
        int64_t elapsed;
        const char* title; // done and total as the watch counts them
        size_t done, total;
    } cases[] = {
        {"nothing known yet",
         {job(400, 2, 0, 0, false), job(0, 1, 0, 0, false)},
         5,
         "quorbel - 0 of 2 done",
         0,
         2},
        // 400 × 2 + 400 (the mean) × 1 = 1200; a quarter of the first pass: 100.
        {"a quarter of a first pass",
         {job(400, 2, 0, 0.25, false), job(0, 1, 0, 0, false)},
         10,
         "quorbel - 0 of 2 done - 8% - 0:01:50 left",
         0,
         2},
        // The first job over: 800 of 1200.
        {"the first job over",
         {job(400, 2, 2, 0, true), job(0, 1, 0, 0, false)},
         60,
         "quorbel - 1 of 2 done - 66% - 0:00:30 left",
         1,
         2},
        // A waiting job's own frames count as measured: 800 of 800 + 2000.
        {"a long waiting job",
         {job(400, 2, 2, 0, true), job(2000, 1, 0, 0, false)},
         3600,
         "quorbel - 1 of 2 done - 28% - 2:30:00 left",
         1,
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(progress_title(c.done, c.total, queue_fraction(c.jobs), c.elapsed), c.title);
    }
}

TEST_F(FrontEndTest, TheTitleFollowsTheRunningScriptsThroughTheirLogsAndConsoles) {
    os.clock = 1'800'000'000;
    app.start();
    // Two jobs: a two-pass job, then a one-pass job, each piped into its log.
    auto job = [&](const std::string& name, bool two_passes) {
        commands::JobList lines = {"@echo.", "@echo Input:\"C:\\in\\" + name + ".y4m\""};
        std::string log = " 2>&1|runlog.exe \"" + dir.file(name + ".txt") + "\"";
        if (two_passes) lines.push_back("@x264.exe -p 1 -o nul \"C:\\in\\" + name + ".y4m\"" + log);
        lines.push_back("@x264.exe -o \"" + dir.file(name + ".mkv") + "\" \"C:\\in\\" + name +
                        ".y4m\"" + log);
        lines.push_back("@echo+");
        return lines;
    };
    for (const auto& lines : {job("a", true), job("b", false)})
        app.queue.lines.insert(app.queue.lines.end(), lines.begin(), lines.end());
    press(Ctl::start);
    EXPECT_EQ(view.title, "quorbel - 0 of 2 done");
    // The first pass of a, a quarter done, 30 s after the start.
    os.write_file(dir.file("a.txt"), "------\r\nStartTime:1\r\n");
    processes.titles[4242] = "x264 [25.0%] 100/400 frames, 30 fps, 300 kb/s, eta 0:00:10";
    os.clock = *os.clock + 30;
    app.on_timer(Timer::watch_scripts);
    // 400 × 2 + 400 × 1 = 1200, 100 done.
    EXPECT_EQ(view.title, "quorbel - 0 of 2 done - 8% - 0:05:30 left");
    ASSERT_TRUE(view.progress);
    // a is over (both passes framed), b has begun: 800 of 1200 and b's first frames.
    os.write_file(dir.file("a.txt"),
                  "------\r\nStartTime:1\r\nEndTime:2\r\n------\r\nStartTime:3\r\nEndTime:4\r\n");
    os.write_file(dir.file("b.txt"), "------\r\nStartTime:5\r\n");
    processes.titles[4242] = "x264 [0.0%] 0/400 frames, 0 fps, 0 kb/s, eta 0:00:00";
    os.clock = *os.clock + 90;
    app.on_timer(Timer::watch_scripts);
    EXPECT_EQ(view.title, "quorbel - 1 of 2 done - 66% - 0:01:00 left");
    // Between passes the console shows cmd's own title: the fraction does
    // not fall.
    processes.titles[4242] = "C:\\windows\\system32\\cmd.exe";
    app.on_timer(Timer::watch_scripts);
    EXPECT_EQ(view.title, "quorbel - 1 of 2 done - 66% - 0:01:00 left");
    // The end: the title is the program's name again, the button shows nothing.
    processes.ended = {4242};
    app.on_timer(Timer::watch_scripts);
    EXPECT_EQ(view.title, "quorbel");
    EXPECT_FALSE(view.progress);
}

TEST_F(FrontEndTest, JobsThatProducedTheirFileAreMarkedDoneAndRunNoMore) {
    app.start();
    auto job = [&](const std::string& name) {
        return commands::JobList{"@echo.", "@echo Input:\"C:\\in\\" + name + ".y4m\"",
                                 "@x264.exe -o \"" + dir.file(name + ".mkv") + "\" \"C:\\in\\" +
                                     name + ".y4m\" 2>&1|runlog.exe \"" + dir.file(name + ".txt") +
                                     "\"",
                                 "@echo+"};
    };
    for (const auto& lines : {job("made"), job("failed")})
        app.queue.lines.insert(app.queue.lines.end(), lines.begin(), lines.end());
    press(Ctl::start);
    os.write_file(dir.file("made.mkv"), "video");
    os.write_file(
        dir.file("failed.txt"),
        "------\r\nStartTime:1\r\nx264 [error]: could not open input file\r\nEndTime:2\r\n");
    processes.ended = {4242};
    app.on_timer(Timer::watch_scripts);
    EXPECT_EQ(dialogs.asked.back(),
              "message|quorbel|temp.bat has ended: 1 of 2 jobs produced their file. The job that "
              "did is marked done: \"Start\" runs only the others.\n\nNo file came from:\n" +
                  dir.file("failed.mkv") + " (log: " + dir.file("failed.txt") +
                  ")\n  x264 [error]: could not open input file");
    // The done job's lines carry the mark "Disable" writes; the markers stay.
    EXPECT_EQ(app.queue.lines[0], "@echo.");
    EXPECT_EQ(app.queue.lines[1], "@rem " + job("made")[1]);
    EXPECT_EQ(app.queue.lines[2], "@rem " + job("made")[2]);
    EXPECT_EQ(app.queue.lines[3], "@echo+");
    EXPECT_EQ(test::read(dir.file("quorbel.jobs")),
              test::crlf({app.queue.lines[0], app.queue.lines[1], app.queue.lines[2],
                          app.queue.lines[3], app.queue.lines[4], app.queue.lines[5],
                          app.queue.lines[6], app.queue.lines[7]}));
    // A second "Start" runs only the other job.
    processes.ended.clear();
    press(Ctl::start);
    ASSERT_EQ(app.scripts.running().size(), 1u);
    ASSERT_EQ(app.scripts.running()[0].jobs.size(), 1u);
    EXPECT_EQ(app.scripts.running()[0].jobs[0].block.final_file, dir.file("failed.mkv"));
    // Enabling its lines runs the done job again.
    for (int line : {1, 2}) {
        select_line(line);
        press(Ctl::disable);
    }
    EXPECT_EQ(app.queue.lines[2], job("made")[2]);
}
