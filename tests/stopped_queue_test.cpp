// A queue stopped while its scripts ran (the window closed or killed, the
// machine stopped): the next window learns from quorbel.running what the
// scripts had done, watches those that still run, marks done what was made
// and lets a two-pass job go on from its second pass.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sstream>

#include "front_end_fixture.h"
#include "frontend/commands/batch_script.h"
#include "frontend/settings/settings_file.h"
#include "frontend/ui/running_record.h"

using namespace ui;
using test::FrontEndTest;

namespace {

struct StoppedQueue : FrontEndTest {
    // Three jobs: a one-pass "a", a two-pass "b" with its stats file, a
    // one-pass "c", each piped into its log.
    commands::JobList job(const std::string& name, bool two_passes) {
        const std::string in = "\"C:\\in\\" + name + ".y4m\"";
        const std::string log = " 2>&1|runlog.exe \"" + dir.file(name + ".txt") + "\"";
        const std::string stats = " --stats \"" + dir.file(name + ".stat") + "\"";
        commands::JobList lines = {"@echo.", "@echo Input:" + in};
        if (two_passes) lines.push_back("@x264.exe" + stats + " -p 1 -B 900 -o nul " + in + log);
        lines.push_back("@x264.exe" + std::string(two_passes ? stats + " -p 2 -B 900" : "") +
                        " -o \"" + dir.file(name + ".mkv") + "\" " + in + log);
        lines.push_back("@echo+");
        return lines;
    }
    void queue_three_and_start() {
        app.start();
        for (const auto& lines : {job("a", false), job("b", true), job("c", false)})
            app.queue.lines.insert(app.queue.lines.end(), lines.begin(), lines.end());
        app.jobs_changed(0); // kept in quorbel.jobs, as Add keeps them
        press(Ctl::start);
    }
    // The next window in the same folder, with the same system.
    test::RecordingView view2;
    test::ScriptedDialogs dialogs2;
    ui::FrontEnd again{{os, probe, processes, tools}, view2, dialogs2, dir.path()};
};

} // namespace

TEST_F(StoppedQueue, TheRecordNamesTheRunningScriptsJobsAndIsGoneWhenTheyEnd) {
    processes.alive[4242] = 1234567;
    queue_three_and_start();
    const std::string text = test::read(dir.file("quorbel.running"));
    std::optional<std::vector<RecordedScript>> record = read_running_record(text);
    ASSERT_TRUE(record);
    ASSERT_EQ(record->size(), 1u);
    EXPECT_EQ((*record)[0].name, "temp.bat");
    EXPECT_EQ((*record)[0].pid, 4242u);
    EXPECT_EQ((*record)[0].created, 1234567);
    ASSERT_EQ((*record)[0].jobs.size(), 3u);
    EXPECT_EQ((*record)[0].jobs[1].lines, job("b", true));
    EXPECT_EQ(running_record_text(*record), text);
    // Cut short (the machine stopped while it was written): not a record.
    EXPECT_FALSE(read_running_record(text.substr(0, text.size() - 1)));
    processes.ended = {4242};
    app.on_timer(Timer::watch_scripts);
    EXPECT_FALSE(os.file_exists(dir.file("quorbel.running")));
}

TEST_F(StoppedQueue, EndedScriptsJobsAreMarkedDoneAndATwoPassJobGoesOnFromItsSecondPass) {
    queue_three_and_start();
    // The window was killed; meanwhile a was made and b's first pass ended
    // (its stats file has its own name), then the script was stopped too,
    // midway through b's second pass: b's video is there, cut short.
    os.write_file(dir.file("a.mkv"), "video");
    os.write_file(dir.file("b.stat"), "#options: 1\n");
    os.write_file(dir.file("b.mkv"), "half a vid");
    os.write_file(dir.file("toolenv.bat"), "@set PATH=...");
    again.start();
    EXPECT_FALSE(os.file_exists(dir.file("temp.bat")));
    EXPECT_FALSE(os.file_exists(dir.file("toolenv.bat")));
    ASSERT_EQ(dialogs2.asked.size(), 1u);
    EXPECT_EQ(dialogs2.asked[0],
              "message|quorbel|1 of 3 jobs had finished before quorbel stopped; it is marked done. "
              "Start runs the other 2. 1 of them goes on from its second pass: the first had "
              "ended.");
    const commands::JobList& lines = again.queue.lines;
    EXPECT_EQ(lines[2], "@rem " + job("a", false)[2]); // a: done
    EXPECT_EQ(lines[6], "@rem " + job("b", true)[2]);  // b's first pass
    EXPECT_EQ(lines[7], job("b", true)[3]);            // b's second pass runs
    EXPECT_EQ(lines[11], job("c", false)[2]);
    EXPECT_EQ(test::read(dir.file("quorbel.jobs")), test::crlf(lines));
    EXPECT_FALSE(os.file_exists(dir.file("quorbel.running")));
    // "Start" runs b's second pass and c, nothing else.
    again.on_event(Ctl::start, Event::changed, "");
    std::vector<std::string> runs;
    // The stopped script was deleted with its environment file: the name
    // is free again.
    ASSERT_EQ(processes.calls.back().rfind("start " + dir.file("temp.bat"), 0), 0u);
    std::istringstream script(test::read(dir.file("temp.bat")));
    for (std::string line; std::getline(script, line);)
        if (line.rfind("@x264.exe", 0) == 0) runs.push_back(line.substr(0, line.size() - 1));
    EXPECT_EQ(runs, (std::vector<std::string>{job("b", true)[3], job("c", false)[2]}));
    // It is told once.
    test::RecordingView view3;
    test::ScriptedDialogs dialogs3;
    processes.ended = {4242, 4243};
    again.on_timer(Timer::watch_scripts);
    ui::FrontEnd third{{os, probe, processes, tools}, view3, dialogs3, dir.path()};
    third.start();
    EXPECT_TRUE(dialogs3.asked.empty());
}

TEST_F(StoppedQueue, AScriptThatRanToItsEndLeftEveryJobDone) {
    queue_three_and_start();
    for (const char* name : {"a.mkv", "b.mkv", "c.mkv"}) os.write_file(dir.file(name), "video");
    os.delete_file(dir.file("temp.bat")); // its last line
    again.start();
    ASSERT_EQ(dialogs2.asked.size(), 1u);
    EXPECT_EQ(dialogs2.asked[0], "message|quorbel|3 of 3 jobs had finished before quorbel "
                                 "stopped; they are marked done.");
}

TEST_F(StoppedQueue, AFirstPassThatWroteTheVideoIsRunAgain) {
    // The conditional pair's first pass writes the video itself: cut short
    // in its second pass, the video is not the first pass's any more.
    app.start();
    commands::JobList pair = job("p", true);
    pair[2].replace(pair[2].find("-o nul"), 6, "-o \"" + dir.file("p.mkv") + "\"");
    app.queue.lines = pair;
    app.jobs_changed(0);
    press(Ctl::start);
    os.write_file(dir.file("p.stat"), "#options: 1\n");
    os.write_file(dir.file("p.mkv"), "half a vid");
    again.start();
    ASSERT_EQ(dialogs2.asked.size(), 1u);
    EXPECT_EQ(dialogs2.asked[0], "message|quorbel|0 of 1 job had finished before quorbel "
                                 "stopped. Start runs it again.");
    EXPECT_EQ(again.queue.lines, pair);
}

TEST_F(StoppedQueue, AStatsFileOfAnEarlierRunOrAPassCutShortResumesNothing) {
    // b's stats file was there before the start; a pass killed midway leaves
    // only NAME.temp.
    os.write_file(dir.file("b.stat"), "#options: 1\n");
    os.clock = os.now() + 3600;
    queue_three_and_start();
    os.write_file(dir.file("b.stat.temp"), "#options: 1\n");
    again.start();
    ASSERT_EQ(dialogs2.asked.size(), 1u);
    EXPECT_EQ(dialogs2.asked[0], "message|quorbel|0 of 3 jobs had finished before quorbel "
                                 "stopped. Start runs them again.");
    EXPECT_EQ(again.queue.lines[6], job("b", true)[2]);
}

TEST_F(StoppedQueue, ScriptsThatStillRunAreWatchedAgain) {
    processes.alive[4242] = 1234567;
    queue_three_and_start();
    again.start();
    EXPECT_TRUE(dialogs2.asked.empty());
    EXPECT_EQ(processes.calls.back(), "watch 4242");
    EXPECT_EQ(view2.title, "quorbel - 0 of 3 done");
    // Its end is reported by the new window, which marks the made job done.
    os.write_file(dir.file("c.mkv"), "video");
    processes.ended = {4242};
    again.on_timer(Timer::watch_scripts);
    ASSERT_EQ(dialogs2.asked.size(), 1u);
    EXPECT_EQ(dialogs2.asked[0].rfind("message|quorbel|temp.bat has ended: 1 of 3 jobs", 0), 0u);
    EXPECT_EQ(again.queue.lines[11], "@rem " + job("c", false)[2]);
    EXPECT_EQ(view2.title, "quorbel");
}

TEST_F(StoppedQueue, AProcessThatTookTheScriptsNumberIsNotTheScript) {
    processes.alive[4242] = 1234567;
    queue_three_and_start();
    processes.alive[4242] = 7654321; // created later: another program
    again.start();
    EXPECT_NE(processes.calls.back(), "watch 4242");
    ASSERT_EQ(dialogs2.asked.size(), 1u);
    EXPECT_EQ(dialogs2.asked[0].rfind("message|quorbel|0 of 3 jobs had finished", 0), 0u);
}

TEST_F(StoppedQueue, ARecordNamingAnythingButAStartedScriptDeletesNothing) {
    const std::string sep(1, std::filesystem::path::preferred_separator);
    const session::ProgramFolder program{dir.file("program") + sep};
    std::filesystem::create_directories(dir.file("program"));
    os.write_file(dir.file("victim.txt"), "keep");
    const std::vector<std::string> ours = {"x264.exe",    "quorbel.ini", "mine.ini",
                                           "toolenv.bat", "temp1.bat",   "temp02.bat"};
    for (const std::string& name : std::vector<std::string>{
             ".." + sep + "victim.txt", "mine.ini", "x264.exe", "quorbel.ini", "toolenv.bat",
             "temp1.bat", "temp02.bat", "TEMP.BAT", "temp2.bat" + sep + ".." + sep + "mine.ini"}) {
        SCOPED_TRACE(name);
        for (const std::string& file : ours)
            os.write_file(program.path + file,
                          file == "quorbel.ini" ? settings::settings_file_text(settings::Settings{})
                                                : std::string("keep"));
        os.write_file(program.running_record_file(),
                      "script " + name + " 4242 1 0\r\njob 0 1\r\n@echo.\r\n");
        test::RecordingView view3;
        test::ScriptedDialogs dialogs3;
        ui::FrontEnd window{{os, probe, processes, tools}, view3, dialogs3, program.path};
        window.start();
        EXPECT_TRUE(os.file_exists(dir.file("victim.txt")));
        for (const std::string& file : ours)
            EXPECT_TRUE(os.file_exists(program.path + file)) << file;
        EXPECT_FALSE(os.file_exists(program.running_record_file()));
        ASSERT_FALSE(dialogs3.asked.empty());
        EXPECT_EQ(dialogs3.asked[0].rfind("message|quorbel|" + program.running_record_file() +
                                              " is damaged and was not read; it is kept as ",
                                          0),
                  0u)
            << dialogs3.asked[0];
    }
    for (size_t n : {1, 2, 9, 10, 64})
        EXPECT_TRUE(commands::is_started_script_name(commands::started_script_name(n))) << n;
}

TEST_F(StoppedQueue, NothingOlderThanTheStoppedScriptCountsWhateverStartTheRecordStates) {
    queue_three_and_start();
    // a.mkv is half an hour older than the script; the record is changed to
    // state a start long before both.
    os.write_file(dir.file("a.mkv"), "an old video");
    std::filesystem::last_write_time(dir.file("a.mkv"),
                                     std::filesystem::file_time_type::clock::now() -
                                         std::chrono::minutes(30));
    std::optional<std::vector<RecordedScript>> record =
        read_running_record(test::read(dir.file("quorbel.running")));
    ASSERT_TRUE(record);
    (*record)[0].started = 0;
    os.write_file(dir.file("quorbel.running"), running_record_text(*record));
    again.start();
    ASSERT_EQ(dialogs2.asked.size(), 1u);
    EXPECT_EQ(dialogs2.asked[0], "message|quorbel|0 of 3 jobs had finished before quorbel "
                                 "stopped. Start runs them again.");
    EXPECT_EQ(again.queue.lines[2], job("a", false)[2]);
}
