// The handlers of the window's buttons, driven natively with scripted
// dialogs and a recording process seam.
#include <gtest/gtest.h>

#include <algorithm>

#include "front_end_fixture.h"
#include "frontend/session/session.h"

using namespace ui;
using test::FrontEndTest;

using test::crlf;

TEST_F(FrontEndTest, FileButtonsAskWithTheirFiltersAndKeepTheFieldWhenCancelled) {
    app.start();
    s.mode = 4;
    s.statsname = "old.stat";
    dialogs.files = {std::string("C:\\s\\new.stat"), std::nullopt};
    press(Ctl::stats_button);
    EXPECT_EQ(s.statsname, "C:\\s\\new.stat");
    s.mode = 3;
    press(Ctl::stats_button); // cancelled
    EXPECT_EQ(s.statsname, "C:\\s\\new.stat");
    EXPECT_EQ(dialogs.asked[0], "open||old.stat|Statsfile (*.stat)|*.stat");
    EXPECT_EQ(dialogs.asked[1], "save||C:\\s\\new.stat|Statsfile (*.stat)|*.stat");

    s.logname = "keep.txt";
    press(Ctl::log_button);
    EXPECT_EQ(s.logname, "keep.txt");
    EXPECT_EQ(dialogs.asked[2], "save||keep.txt|Log file (*.txt)|*.txt");

    // Output: a name without extension gets ".mp4", whatever the filter.
    dialogs.files = {std::string("D:\\out\\movie"), std::string("D:\\out\\movie.mkv")};
    press(Ctl::output_button);
    EXPECT_EQ(s.outfile, "D:\\out\\movie.mp4");
    press(Ctl::output_button);
    EXPECT_EQ(s.outfile, "D:\\out\\movie.mkv");
    EXPECT_EQ(dialogs.asked[3], "save|||MP4(*.mp4)|*.MP4|MKV(*.mkv)|*.MKV|RAW(*.264)|*.264");

    // Input: an AviSynth script derives the other names beside it; a
    // cancelled dialog leaves the input and what was derived from it.
    dialogs.files = {std::string("E:\\clips\\a.avs"), std::nullopt};
    press(Ctl::input_button);
    EXPECT_EQ(s.infile, "E:\\clips\\a.avs");
    EXPECT_EQ(s.outfile, "E:\\clips\\a.mp4");
    EXPECT_EQ(s.statsname, dir.path() + "stats\\a.avs.stat");
    press(Ctl::input_button);
    EXPECT_EQ(s.infile, "E:\\clips\\a.avs");
    EXPECT_EQ(s.outfile, "E:\\clips\\a.mp4");
    EXPECT_EQ(dialogs.asked[5], "open|||AVS(*.avs)|*.AVS|Other Media|*.*");
}

TEST_F(FrontEndTest, FilesInputAddsOneBlockPerNameAndNothingWhenCancelled) {
    app.start();
    press(Ctl::files_input); // folder dialog cancelled: nothing
    EXPECT_TRUE(app.queue.lines.empty());
    EXPECT_EQ(dialogs.asked.back(), "folder|Select a folder for output|" + dir.path());

    dialogs.folder = "F:\\out\\";
    dialogs.multi = {"E:\\a.avs", "E:\\b.avs"};
    press(Ctl::files_input);
    EXPECT_EQ(dialogs.asked.back(), "multi|Select some files||AVS(*.AVS)|*.avs|Other Media|*.*");
    int blocks = 0;
    for (const std::string& line : app.queue.lines) blocks += line == "@echo.";
    EXPECT_EQ(blocks, 2);
    EXPECT_EQ(app.queue.lines[1], "@echo Input:\"E:\\a.avs\"");
    EXPECT_EQ(app.queue.lines[2], "@echo Output:\"F:\\out\\a.mp4\"");
    EXPECT_EQ(view.job_lines, app.queue.lines);
    EXPECT_EQ(s.infile, ""); // emptied for the next job

    // A cancelled file dialog adds nothing, not even a block of the two
    // marker lines, and says nothing.
    dialogs.multi.clear();
    size_t before = app.queue.lines.size(), asked = dialogs.asked.size();
    press(Ctl::files_input);
    EXPECT_EQ(app.queue.lines.size(), before);
    EXPECT_EQ(dialogs.asked.size(), asked + 2); // the folder and the files, nothing after
}

TEST_F(FrontEndTest, NamedConfigurationsSaveOnYesLoadWhenPresentAndEmptyTheName) {
    session::create_working_folders(os, {dir.path()});
    app.start();
    s.cfgname = "fast";
    s.value = "22";
    dialogs.yes = false;
    press(Ctl::save_config);
    EXPECT_FALSE(os.file_exists(dir.file("configs/fast.ini")));
    EXPECT_EQ(s.cfgname, "");
    EXPECT_EQ(dialogs.asked.back(), "yesno|Save|Are you sure?");

    s.cfgname = "fast";
    dialogs.yes = true;
    press(Ctl::save_config);
    EXPECT_TRUE(os.file_exists(dir.file("configs/fast.ini")));
    EXPECT_EQ(view.items[Ctl::cfgname], std::vector<std::string>{"fast"});
    EXPECT_EQ(s.cfgname, "");

    s.value = "30";
    s.cfgname = "missing";
    press(Ctl::load_config);
    EXPECT_EQ(s.value, "30");
    EXPECT_FALSE(os.file_exists(dir.file("configs/missing.ini")));
    s.cfgname = "fast";
    press(Ctl::load_config);
    EXPECT_EQ(s.value, "22");
    press(Ctl::load_default);
    EXPECT_EQ(s.value, "26");
}

TEST_F(FrontEndTest, DelRemovesTheBlockAroundTheSelectionOrAStrayLineAlone) {
    const commands::JobList list = {"top",    "@echo.", "a1",     "a2",     "@echo+", "stray",
                                    "@echo.", "b1",     "@echo+", "@echo.", "c1"};
    struct Case {
        int line;
        commands::JobList after;
    } cases[] = {
        {0, {"@echo.", "a1", "a2", "@echo+", "stray", "@echo.", "b1", "@echo+", "@echo.", "c1"}},
        {1, {"top", "stray", "@echo.", "b1", "@echo+", "@echo.", "c1"}},
        {3, {"top", "stray", "@echo.", "b1", "@echo+", "@echo.", "c1"}},
        {4, {"top", "stray", "@echo.", "b1", "@echo+", "@echo.", "c1"}},
        {5, {"top", "@echo.", "a1", "a2", "@echo+", "@echo.", "b1", "@echo+", "@echo.", "c1"}},
        {7, {"top", "@echo.", "a1", "a2", "@echo+", "stray", "@echo.", "c1"}},
        // A block whose "@echo+" was edited away runs to the end of the list.
        {10, {"top", "@echo.", "a1", "a2", "@echo+", "stray", "@echo.", "b1", "@echo+"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        app.queue.lines = list;
        select_line(c.line);
        press(Ctl::del);
        EXPECT_EQ(app.queue.lines, c.after);
        EXPECT_EQ(app.queue.selected, no_selection);
    }
    press(Ctl::del); // nothing selected: nothing happens
    EXPECT_EQ(app.queue.lines, cases[6].after);

    // A block whose "@echo+" was edited away ends before the next block,
    // which "del" leaves alone.
    app.queue.lines = {"@echo.", "a1", "@echo.", "b1", "@echo+"};
    select_line(1);
    press(Ctl::del);
    EXPECT_EQ(app.queue.lines, (commands::JobList{"@echo.", "b1", "@echo+"}));
}

TEST_F(FrontEndTest, LineButtonsFollowTheirSelectionRules) {
    app.queue.lines = {"one", "two", "three"};
    select_line(1);
    press(Ctl::disable);
    EXPECT_EQ(app.queue.lines[1], "@rem two");
    EXPECT_EQ(app.queue.selected, 1);
    press(Ctl::disable);
    EXPECT_EQ(app.queue.lines[1], "two");

    press(Ctl::view);
    EXPECT_EQ(dialogs.asked.back(), "message|The command line parameter is:|two");
    EXPECT_EQ(app.queue.selected, 1);

    // "up" and "down" keep the moved line selected, so it moves on.
    press(Ctl::up);
    EXPECT_EQ(app.queue.lines, (commands::JobList{"two", "one", "three"}));
    EXPECT_EQ(app.queue.selected, 0);
    EXPECT_EQ(view.job_selected, 0);
    press(Ctl::up); // the first line cannot go up
    EXPECT_EQ(app.queue.lines[0], "two");
    press(Ctl::down);
    press(Ctl::down);
    EXPECT_EQ(app.queue.lines, (commands::JobList{"one", "three", "two"}));
    EXPECT_EQ(app.queue.selected, 2);
    press(Ctl::down); // nor the last down
    EXPECT_EQ(app.queue.lines[2], "two");
    EXPECT_EQ(test::read(dir.file("quorbel.jobs")), crlf({"one", "three", "two"}));

    // "edit": OK replaces the line (also with an empty text); cancelling keeps it.
    dialogs.inputs = {std::string("2"), std::nullopt, std::string("")};
    EXPECT_EQ(app.queue.lines[0], "one");
    for (int i = 0; i < 3; ++i) {
        select_line(0);
        press(Ctl::edit);
    }
    EXPECT_EQ(dialogs.asked.back(), "input|Edit|For expert only!|2");
    EXPECT_EQ(app.queue.lines[1], "three");
    EXPECT_EQ(app.queue.lines[0], "");
    EXPECT_EQ(app.queue.selected, no_selection);

    press(Ctl::shut);
    press(Ctl::shut);
    EXPECT_EQ(app.queue.lines.back(), "shutdown.exe -s -f -t 30");
    EXPECT_EQ(app.queue.lines[app.queue.lines.size() - 2], "shutdown.exe -s -f -t 30");
    press(Ctl::clear);
    EXPECT_TRUE(app.queue.lines.empty());
    EXPECT_TRUE(view.job_lines.empty());
    EXPECT_EQ(test::read(dir.file("quorbel.jobs")), "");
}

TEST_F(FrontEndTest, MakeBatWritesTheHeadLinesAndEveryJobLine) {
    app.queue.lines = {"@echo.", "@rem x264.exe --crf 20", "@echo+"};
    press(Ctl::make_bat); // cancelled
    EXPECT_EQ(dialogs.asked.back(), "save|||Batch File|*.BAT");
    dialogs.files = {dir.file("jobs"), dir.file("jobs.cmd")};
    press(Ctl::make_bat);
    press(Ctl::make_bat);
    std::string expected =
        crlf({"@cd /d \"" + dir.path() + "\"", "@toolenv.exe run", "@call toolenv.bat",
              "@del toolenv.bat", "@echo.", "@rem x264.exe --crf 20", "@echo+"});
    EXPECT_EQ(test::read(dir.file("jobs.bat")), expected);
    EXPECT_EQ(test::read(dir.file("jobs.cmd")), expected);

    // A file that cannot be written is named with the system's reason.
    dialogs.files = {dir.file("no/such/folder/jobs.bat")};
    press(Ctl::make_bat);
    EXPECT_EQ(dialogs.asked.back().rfind(
                  "message|quorbel|Cannot write " + dir.file("no/such/folder/jobs.bat") + ": ", 0),
              0u)
        << dialogs.asked.back();
}

TEST_F(FrontEndTest, StartWritesItsOwnScriptStartsItIdleAndLowersItAfterTheTimer) {
    app.start();
    app.queue.lines = {"@echo.", "@x264.exe", "@echo+"};
    press(Ctl::start);
    EXPECT_EQ(test::read(dir.file("temp.bat")),
              crlf({"@cd /d \"" + dir.path() + "\"",
                    "@echo Please wait until this process is set into idle.", "@pausems.exe 1000",
                    "@toolenv.exe run", "@call toolenv.bat", "@del toolenv.bat", "@echo.",
                    "@x264.exe", "@echo+"}) +
                  "del temp.bat");
    EXPECT_TRUE(os.file_exists(dir.file("quorbel.ini")));
    ASSERT_EQ(processes.calls.size(), 1u);
    EXPECT_EQ(processes.calls[0], "start " + dir.file("temp.bat") + " in " + dir.path());
    EXPECT_EQ(view.timers_of(Timer::lower_priority), std::vector<int>{600});

    // A second start while the first script still exists writes another.
    press(Ctl::start);
    EXPECT_TRUE(os.file_exists(dir.file("temp2.bat")));
    std::string second = test::read(dir.file("temp2.bat"));
    EXPECT_EQ(second.substr(second.size() - 21), "@echo+\r\ndel temp2.bat");
    app.on_timer(Timer::lower_priority);
    app.on_timer(Timer::lower_priority);
    app.on_timer(Timer::lower_priority); // nothing left waiting
    EXPECT_EQ(processes.calls,
              (std::vector<std::string>{"start " + dir.file("temp.bat") + " in " + dir.path(),
                                        "start " + dir.file("temp2.bat") + " in " + dir.path(),
                                        "idle 4242", "idle 4243"}));

    // The shell opens the script when no process can be created.
    processes.can_start = false;
    processes.calls.clear();
    press(Ctl::start);
    EXPECT_EQ(processes.calls.back(), "shell " + dir.file("temp3.bat"));
    EXPECT_EQ(view.timers_of(Timer::lower_priority).size(), 2u);
}

TEST_F(FrontEndTest, StartThatCannotWriteItsScriptSaysSoAndStartsNothing) {
    ui::FrontEnd lost{{os, probe, processes, tools}, view, dialogs, dir.path() + "missing\\"};
    lost.queue.lines = {"shutdown.exe -s -f -t 30"}; // a line that runs
    lost.on_event(Ctl::start, Event::changed);
    EXPECT_TRUE(processes.calls.empty());
    ASSERT_FALSE(dialogs.asked.empty());
    EXPECT_EQ(dialogs.asked.back().rfind(
                  "message|quorbel|Cannot write " + dir.path() + "missing\\temp.bat: ", 0),
              0u);
}

TEST_F(FrontEndTest, AddRefusesAJobWhoseFieldWouldAddACommand) {
    app.start();
    s.infile = "C:\\in & out.avs"; // inside quotes: fine
    s.outfile = "D:\\o.mp4";
    s.nr = "0 & del /q *";
    press(Ctl::add);
    EXPECT_TRUE(app.queue.lines.empty());
    EXPECT_EQ(dialogs.asked.back(),
              "message|Add|The job was not added: \"nr\" holds a character that cannot stand in a "
              "batch line.");
    s.nr = "0";
    press(Ctl::add);
    EXPECT_EQ(app.queue.lines.front(), "@echo.");
    EXPECT_EQ(app.queue.lines[1], "@echo Input:\"C:\\in & out.avs\"");
}

TEST_F(FrontEndTest, JobsWhoseTargetSizeCannotBeMetAreRefusedAndNamed) {
    app.start();
    s.mode = 0, s.sizemode = 1, s.value = "2";
    s.infile = "D:\\v\\clip.y4m", s.outfile = "D:\\v\\clip.mkv"; // nothing can measure it
    press(Ctl::add);
    EXPECT_TRUE(app.queue.lines.empty());
    EXPECT_EQ(dialogs.asked.back(),
              "message|Add|The job for \"D:\\v\\clip.y4m\" was not added: its target size needs "
              "its length, and it cannot be measured.");
    EXPECT_EQ(s.infile + "|" + s.outfile, "D:\\v\\clip.y4m|D:\\v\\clip.mkv"); // kept

    // "Files input" queues the others and names the refused ones at once.
    s.x264input = "direct";
    dialogs.folder = "F:\\out\\";
    dialogs.multi = {"E:\\a.y4m", "E:\\b.avs", "E:\\c.y4m"};
    s.mode = 1; // a quantizer mode needs no length
    press(Ctl::files_input);
    EXPECT_EQ(std::count(app.queue.lines.begin(), app.queue.lines.end(), "@echo."), 3);
    s.mode = 0;
    size_t before = app.queue.lines.size(), questions = dialogs.asked.size();
    press(Ctl::files_input);
    EXPECT_EQ(app.queue.lines.size(), before);      // a refused job adds no line
    EXPECT_EQ(dialogs.asked.size(), questions + 3); // folder, files, one message
    EXPECT_EQ(dialogs.asked.back(),
              "message|Files input|The job for \"E:\\a.y4m\" was not added: its target size needs "
              "its length, and it cannot be measured.\nThe job for \"E:\\b.avs\" was not added: "
              "its target size needs its length, and it cannot be measured.\nThe job for "
              "\"E:\\c.y4m\" was not added: its target size needs its length, and it cannot be "
              "measured.\n");
}

TEST_F(FrontEndTest, AnIncludeScriptOfItsOwnWhenThereIsNoneListedAndChosen) {
    session::create_working_folders(os, {dir.path()});
    app.start();
    EXPECT_EQ(test::read(dir.file("avsinc/default.avs")), session::default_include_script);
    EXPECT_EQ(view.items[Ctl::avsinc], std::vector<std::string>{"default"});
    EXPECT_EQ(s.avsinc, "default");
    dialogs.files = {std::string("C:\\v\\clip.mkv")};
    press(Ctl::input_button);
    EXPECT_EQ(test::read(dir.file("avs/clip.mkv.avs")),
              "fs=\"C:\\v\\clip.mkv\"\r\nmfn=\"C:\\v\\clip\"\r\nimport(\"..\\avsinc\\default.avs\")"
              "\r\n");

    // A user's script is never replaced, and a folder with scripts gets none.
    os.write_file(dir.file("avsinc/default.avs"), "FFmpegSource2(fs)\r\n");
    test::FakeTools none;
    FrontEnd again({os, probe, processes, none}, view, dialogs, dir.path());
    again.start();
    EXPECT_EQ(test::read(dir.file("avsinc/default.avs")), "FFmpegSource2(fs)\r\n");
    EXPECT_EQ(view.items[Ctl::avsinc], std::vector<std::string>{"default"});
    // The folder as the release ships it: the listed script is chosen, so no
    // wrapper imports "..\avsinc\.avs", and it is saved.
    EXPECT_EQ(again.settings.avsinc, "default");
    ASSERT_TRUE(again.save_settings_file());
    EXPECT_NE(test::read(dir.file("quorbel.ini")).find("\r\navsinc = default\r\n"),
              std::string::npos);

    // A stored choice that is no longer listed, or none, takes the first
    // listed; one that is listed stays, also through "Refresh".
    os.write_file(dir.file("avsinc/second.avs"), "x\r\n");
    for (const char* stored : {"gone", "", "second"}) {
        SCOPED_TRACE(stored);
        os.write_file(dir.file("quorbel.ini"),
                      std::string("mode = 1\r\navsinc = ") + stored + "\r\n");
        FrontEnd third({os, probe, processes, none}, view, dialogs, dir.path());
        third.start();
        std::string expected = stored == std::string("second") ? "second" : third.includes.front();
        EXPECT_EQ(third.settings.avsinc, expected);
        third.on_event(Ctl::refresh, Event::changed);
        EXPECT_EQ(third.settings.avsinc, expected);
    }
}

TEST_F(FrontEndTest, DroppedFilesArePickedOrQueuedAsFilesInputQueuesThem) {
    // An x264 that reads only .y4m and raw .yuv.
    tools.helps["x264.exe"] =
        "  or libav* formats if compiled with lavf support (no) or ffms support (no).\n";
    app.start();
    s.x264input = "direct";
    test::TempFolder clips;
    for (const char* name : {"a.y4m", "b.y4m", "c.y4m", "d.mkv"})
        os.write_file(clips.file(name), "");
    // One file: a pick with "...", its names derived beside it.
    app.files_dropped({clips.file("a.y4m")});
    EXPECT_EQ(s.infile, clips.file("a.y4m"));
    EXPECT_EQ(s.outfile, clips.path() + "a.mp4");
    EXPECT_TRUE(app.queue.lines.empty());
    // Several files: a job each, into their own folders; the refused ones in
    // one message.
    s.infile.clear(), s.outfile.clear();
    app.files_dropped({clips.file("a.y4m"), clips.file("b.y4m"), clips.file("d.mkv")});
    int blocks = 0;
    for (const std::string& line : app.queue.lines) blocks += line == "@echo.";
    EXPECT_EQ(blocks, 2);
    EXPECT_NE(std::find(app.queue.lines.begin(), app.queue.lines.end(),
                        "@echo Output:\"" + clips.path() + "b.mp4\""),
              app.queue.lines.end());
    ASSERT_FALSE(dialogs.asked.empty());
    EXPECT_EQ(
        dialogs.asked.back(),
        "message|Drop|The job for \"" + clips.file("d.mkv") +
            "\" was not added: its input is not a file x264.exe (build 995) can read: it reads "
            "only .y4m files, raw .yuv files named with their size (such as "
            "clip_640x480.yuv) and AviSynth scripts.\n");
    EXPECT_FALSE(test::read(dir.file("quorbel.jobs")).empty());
    // A folder: the files in it.
    app.queue.lines.clear();
    app.files_dropped({clips.path()});
    blocks = 0;
    for (const std::string& line : app.queue.lines) blocks += line == "@echo.";
    EXPECT_EQ(blocks, 3);
}
