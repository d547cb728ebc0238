// What the window keeps and what it tells: the job list across runs, files
// that hold no settings, writes that fail, and the result of each script.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "front_end_fixture.h"
#include "frontend/commands/job_list_file.h"
#include "frontend/session/session.h"

using namespace ui;
using test::FrontEndTest;

using test::crlf;

TEST_F(FrontEndTest, TheJobListIsKeptInItsFileAfterEveryChange) {
    session::create_working_folders(os, {dir.path()});
    os.write_file(dir.file("quorbel.jobs"), crlf({"@echo.", "@x264.exe --crf 20", "@echo+"}));
    app.start();
    EXPECT_EQ(app.queue.lines, (commands::JobList{"@echo.", "@x264.exe --crf 20", "@echo+"}));
    EXPECT_EQ(view.job_lines, app.queue.lines);

    // "Files input" writes the file once, however many files it queues.
    dialogs.folder = "F:\\out\\";
    dialogs.multi = {"E:\\a.avs", "E:\\b.avs", "E:\\c.avs"};
    int before = os.writes[dir.file("quorbel.jobs")];
    press(Ctl::files_input);
    EXPECT_EQ(os.writes[dir.file("quorbel.jobs")], before + 1);
    EXPECT_EQ(test::read(dir.file("quorbel.jobs")), commands::job_list_file_text(app.queue.lines));
    press(Ctl::shut);
    EXPECT_EQ(test::read(dir.file("quorbel.jobs"))
                  .substr(test::read(dir.file("quorbel.jobs")).size() - 26),
              "shutdown.exe -s -f -t 30\r\n");

    // A write that fails is told once, until one works again.
    os.fail_at = test::TestOs::Step::mid_write;
    os.failing = {"quorbel.jobs"};
    std::string kept = test::read(dir.file("quorbel.jobs"));
    press(Ctl::shut);
    press(Ctl::shut);
    EXPECT_EQ(std::count(dialogs.asked.begin(), dialogs.asked.end(),
                         "message|quorbel|Cannot write " + dir.file("quorbel.jobs") +
                             ": the disk is full"),
              1);
    EXPECT_EQ(test::read(dir.file("quorbel.jobs")), kept); // the old file, whole
    os.fail_at = test::TestOs::Step::none;
    press(Ctl::clear);
    EXPECT_EQ(test::read(dir.file("quorbel.jobs")), "");
}

TEST_F(FrontEndTest, ADamagedJobListIsSetAsideAndToldOnce) {
    const std::string damaged = "@echo.\r\n@x264.exe --crf 20 -o \"a.mkv\" \"in.y4m\"\r\n@ech";
    os.write_file(dir.file("quorbel.jobs"), damaged);
    app.start();
    EXPECT_TRUE(app.queue.lines.empty());
    EXPECT_EQ(dialogs.asked.back(), "message|quorbel|" + dir.file("quorbel.jobs") +
                                        " is damaged and was not read; it is kept as " +
                                        dir.file("quorbel.jobs") +
                                        ".unreadable. The job list starts empty.");
    EXPECT_EQ(test::read(dir.file("quorbel.jobs.unreadable")), damaged);
    size_t told = dialogs.asked.size();
    FrontEnd again({os, probe, processes, tools}, view, dialogs, dir.path());
    again.start(); // nothing left to tell
    EXPECT_EQ(dialogs.asked.size(), told);
}

TEST_F(FrontEndTest, SettingsFilesWithoutOneSettingAreSetAsideNotLoaded) {
    session::create_working_folders(os, {dir.path()});
    os.write_file(dir.file("quorbel.ini"), ""); // killed during the save at exit
    app.start();
    EXPECT_EQ(s.mode, 1); // the built-in defaults, not "broken settings"
    EXPECT_EQ(s.minqp, "10");
    EXPECT_EQ(dialogs.asked.back(),
              "message|quorbel|" + dir.file("quorbel.ini") +
                  " held no settings (it was empty or damaged); it is kept as " +
                  dir.file("quorbel.ini") + ".unreadable. The built-in defaults are used.");
    EXPECT_EQ(test::read(dir.file("quorbel.ini.unreadable")), "");

    // "L" of a named configuration of junk loads nothing and sets it aside.
    os.write_file(dir.file("configs/fast.ini"), "\x1f\x8b\x08 gzip, not settings");
    s.value = "33";
    s.cfgname = "fast";
    press(Ctl::load_config);
    EXPECT_EQ(s.value, "33");
    EXPECT_EQ(dialogs.asked.back(),
              "message|L|" + dir.path() + "configs\\fast.ini" +
                  " held no settings (it was empty or damaged); it is kept as " + dir.path() +
                  "configs\\fast.ini.unreadable. Nothing was loaded.");
    EXPECT_TRUE(view.items[Ctl::cfgname].empty());
}

TEST_F(FrontEndTest, FailedSettingsWritesAreToldAndLeaveTheOldFile) {
    session::create_working_folders(os, {dir.path()});
    os.write_file(dir.file("quorbel.ini"), "mode = 6\r\n");
    os.write_file(dir.file("configs/fast.ini"), "mode = 2\r\n");
    app.start();
    os.fail_at = test::TestOs::Step::replace;
    s.cfgname = "fast";
    press(Ctl::save_config);
    EXPECT_EQ(dialogs.asked.back(), "message|quorbel|Cannot write " +
                                        dir.file("configs\\fast.ini") + ": the disk is full");
    EXPECT_EQ(test::read(dir.file("configs/fast.ini")), "mode = 2\r\n");
    EXPECT_FALSE(app.shut_down()); // the save at exit
    EXPECT_EQ(dialogs.asked.back(),
              "message|quorbel|Cannot write " + dir.file("quorbel.ini") + ": the disk is full");
    EXPECT_EQ(test::read(dir.file("quorbel.ini")), "mode = 6\r\n");
}

TEST_F(FrontEndTest, EachEndedScriptIsReportedWithTheJobsThatMadeNoFile) {
    app.start();
    auto job = [&](const std::string& name, const std::string& log) {
        return commands::JobList{"@echo.", "@echo Input:\"C:\\in\\" + name + ".y4m\"",
                                 "@echo Output:\"" + dir.file(name + ".mkv") + "\"",
                                 "@x264.exe -o \"" + dir.file(name + ".mkv") + "\" \"C:\\in\\" +
                                     name + ".y4m\"" + log,
                                 "@echo+"};
    };
    for (const auto& lines :
         {job("made", " 2>&1|runlog.exe \"C:\\log\\made.txt\""),
          job("empty", " 2>&1|runlog.exe \"C:\\log\\empty.txt\""), job("stale", ""),
          job("none", " 2>&1|runlog.exe \"C:\\log\\none.txt\"")})
        app.queue.lines.insert(app.queue.lines.end(), lines.begin(), lines.end());
    // An earlier run's video, written an hour before the start.
    os.write_file(dir.file("stale.mkv"), "video");
    std::filesystem::last_write_time(dir.file("stale.mkv"),
                                     std::filesystem::file_time_type::clock::now() -
                                         std::chrono::hours(1));
    press(Ctl::start);
    EXPECT_EQ(view.title, "quorbel - 0 of 4 done");
    app.queue.lines = job("later", "");
    press(Ctl::start); // a second script, with the job added since
    EXPECT_EQ(view.title, "quorbel - 0 of 5 done");
    EXPECT_EQ(view.timers_of(Timer::watch_scripts), std::vector<int>{500});

    os.write_file(dir.file("made.mkv"), "video");
    os.write_file(dir.file("empty.mkv"), "");
    processes.ended = {4242};
    size_t asked = dialogs.asked.size();
    app.on_timer(Timer::watch_scripts);
    ASSERT_EQ(dialogs.asked.size(), asked + 1);
    EXPECT_EQ(dialogs.asked.back(),
              "message|quorbel|temp.bat has ended: 1 of 4 jobs produced their file.\n\n"
              "No file came from:\n" +
                  dir.file("empty.mkv") + " (log: C:\\log\\empty.txt)\n" + dir.file("stale.mkv") +
                  " (no log)\n" + dir.file("none.mkv") + " (log: C:\\log\\none.txt)");
    EXPECT_EQ(view.title, "quorbel - 0 of 1 done");
    EXPECT_EQ(view.timers_of(Timer::watch_scripts).size(), 2u); // still watching the other

    processes.ended = {4242, 4243};
    app.on_timer(Timer::watch_scripts);
    EXPECT_EQ(dialogs.asked.back().rfind("message|quorbel|temp2.bat has ended: 0 of 1 job", 0), 0u);
    EXPECT_EQ(view.title, "quorbel");
    EXPECT_EQ(view.timers_of(Timer::watch_scripts).size(), 2u); // nothing left to watch
}

TEST_F(FrontEndTest, NamesThatCannotReachTheProgramsAsPickedAreRefused) {
    app.start();
    os.console_lacks = "\xa4"; // as code page 437 lacks the currency sign of 1252
    s.outfile = "D:\\v\\kept.mp4";
    // The dialogs give "?" for what the ANSI code page cannot hold.
    dialogs.files = {std::string("C:\\v\\\xe7\x8c\xab?.mkv"), std::string("D:\\v\\price\xa4.mp4")};
    press(Ctl::input_button);
    EXPECT_EQ(dialogs.asked.back(), "message|quorbel|\"C:\\v\\\xe7\x8c\xab?.mkv\" holds characters "
                                    "that the ANSI code page cannot hold.");
    EXPECT_EQ(s.infile, "");
    press(Ctl::output_button);
    EXPECT_EQ(dialogs.asked.back(), "message|quorbel|\"D:\\v\\price\xa4.mp4\" holds characters "
                                    "that the console's code page cannot hold.");
    EXPECT_EQ(s.outfile, "D:\\v\\kept.mp4");

    // Typed, they are refused by "Add", naming the field.
    s.infile = "C:\\v\\a.avs";
    s.logname = "C:\\log\\\xa4.txt";
    press(Ctl::add);
    EXPECT_TRUE(app.queue.lines.empty());
    EXPECT_EQ(dialogs.asked.back(), "message|Add|The job was not added: \"logname\" holds "
                                    "characters that the console's code page cannot hold.");
    // A line edited to hold one cannot go into a batch file.
    app.queue.lines = {"@echo \xa4"};
    dialogs.files = {dir.file("jobs.bat")};
    press(Ctl::make_bat);
    EXPECT_EQ(dialogs.asked.back(),
              "message|quorbel|Cannot write " + dir.file("jobs.bat") +
                  ": a line holds characters that the console's code page cannot hold");
    EXPECT_FALSE(os.file_exists(dir.file("jobs.bat")));
}

TEST_F(FrontEndTest, CustomMatrixAsksForAFileThroughTheDialogsOnAnEditAndOnALoad) {
    session::create_working_folders(os, {dir.path()});
    os.write_file(dir.file("quorbel.ini"), "cqm = custom...\r\n");
    app.start(); // the start-up load asks
    EXPECT_EQ(std::count(dialogs.asked.begin(), dialogs.asked.end(),
                         "open|Select a matrix file||*.*|*.*"),
              1);
    EXPECT_EQ(s.cqm, "flat");
    dialogs.files = {std::string("C:\\mats\\my.cfg")};
    user(Ctl::cqm, Event::changed, "custom..."); // the user's choice asks
    EXPECT_EQ(s.cqm, "\"C:\\mats\\my.cfg\"");
    os.write_file(dir.file("configs/m.ini"), "cqm = custom...\r\n");
    s.cfgname = "m";
    press(Ctl::load_config); // so does "L", cancelled
    EXPECT_EQ(s.cqm, "flat");
    EXPECT_EQ(std::count(dialogs.asked.begin(), dialogs.asked.end(),
                         "open|Select a matrix file||*.*|*.*"),
              3);
}

TEST_F(FrontEndTest, TheReportTrustsOnlyWhatTheRunWrote) {
    using std::chrono::hours;
    auto job = [&](const std::string& name, bool ended) {
        commands::JobList lines = {
            "@echo.", "@x264.exe -o \"" + dir.file(name + ".mkv") + "\" \"C:\\in\\" + name +
                          ".y4m\" 2>&1|runlog.exe \"" + dir.file(name + ".txt") + "\""};
        if (ended) lines.push_back("@echo+");
        return lines;
    };
    commands::JobList lines;
    for (const auto& block : {job("made", true), job("failed", true), job("old_error", true),
                              job("future", true), job("unended", false)})
        lines.insert(lines.end(), block.begin(), block.end());
    // A log that told of an error in an earlier run.
    os.write_file(dir.file("old_error.txt"), "x264 [error]: could not open input file\r\n");
    os.write_file(dir.file("failed.txt"), "StartTime: earlier\r\n");
    std::vector<WatchedJob> watched = watched_jobs(lines, os);
    ASSERT_EQ(watched.size(), 5u); // the block without its end marker is a job
    const int64_t started = os.now() - 1;

    for (const char* name : {"made", "failed", "old_error", "future", "unended"})
        os.write_file(dir.file(std::string(name) + ".mkv"), "video");
    // x264 wrote its output, then failed: the log of this run says so.
    os.write_file(dir.file("failed.txt"),
                  "StartTime: earlier\r\nx264 [error]: malloc of size 1234 failed\r\n");
    os.write_file(dir.file("old_error.txt"),
                  "x264 [error]: could not open input file\r\nencoded 250 frames\r\n");
    std::filesystem::last_write_time(dir.file("future.mkv"),
                                     std::filesystem::file_time_type::clock::now() + hours(2));
    const int64_t ended = os.now() + 1;
    EXPECT_EQ(script_report("temp.bat", watched, started, ended, os),
              "temp.bat has ended: 3 of 5 jobs produced their file.\n\nNo file came from:\n" +
                  dir.file("failed.mkv") + " (log: " + dir.file("failed.txt") +
                  ")\n  x264 [error]: malloc of size 1234 failed\n" + dir.file("future.mkv") +
                  " (log: " + dir.file("future.txt") + ")");
}
