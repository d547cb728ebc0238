// "Jobs at once": how many scripts "Start" runs, each with its own tools'
// environment file; jobs that run are not started again.
#include <gtest/gtest.h>

#include "front_end_fixture.h"

using namespace ui;
using test::FrontEndTest;

namespace {

struct JobsAtOnce : FrontEndTest {
    commands::JobList job(const std::string& name) {
        return {"@echo.", "@echo Input:\"C:\\in\\" + name + ".y4m\"",
                "@x264.exe -o \"" + dir.file(name + ".mkv") + "\" \"C:\\in\\" + name +
                    ".y4m\" 2>&1|runlog.exe \"" + dir.file(name + ".txt") + "\"",
                "@echo+"};
    }
    void queue(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            commands::JobList lines = job(name);
            app.queue.lines.insert(app.queue.lines.end(), lines.begin(), lines.end());
        }
    }
};

} // namespace

TEST_F(JobsAtOnce, TheCountGoesFromOneToTheProcessorsAndIsStoredWhenNotOne) {
    os.cpus = 2;
    app.start();
    EXPECT_EQ(view.fields["jobsatonce"], "1");
    app.set_jobs_at_once(8);
    EXPECT_EQ(s.jobsatonce, 2);
    EXPECT_EQ(view.fields["jobsatonce"], "2");
    app.save_settings_file();
    EXPECT_NE(test::read(dir.file("quorbel.ini")).find("\r\njobsatonce = 2\r\n"),
              std::string::npos);
    // "Load Default" keeps it: it belongs to the machine.
    press(Ctl::load_default);
    EXPECT_EQ(s.jobsatonce, 2);
    app.set_jobs_at_once(1);
    app.save_settings_file();
    EXPECT_EQ(test::read(dir.file("quorbel.ini")).find("jobsatonce"), std::string::npos);
    // A machine with fewer processors than stored runs as many as it has.
    s.jobsatonce = 2;
    os.cpus = 1;
    EXPECT_EQ(app.jobs_at_once(), 1u);
}

TEST_F(JobsAtOnce, StartRunsThatManyScriptsEachWithItsOwnEnvironmentFile) {
    os.cpus = 4;
    app.start();
    app.set_jobs_at_once(2);
    queue({"a", "b", "c"});
    press(Ctl::start);
    ASSERT_EQ(processes.calls.size(), 2u);
    EXPECT_EQ(processes.calls[0], "start " + dir.file("temp.bat") + " in " + dir.path());
    EXPECT_EQ(processes.calls[1], "start " + dir.file("temp2.bat") + " in " + dir.path());
    const std::string head = "@cd /d \"" + dir.path() +
                             "\"\r\n@echo Please wait until this process is set into idle.\r\n"
                             "@pausems.exe 1000\r\n";
    auto body = [&](std::initializer_list<const char*> names) {
        std::string text;
        for (const char* name : names) text += test::crlf(job(name));
        return text;
    };
    EXPECT_EQ(test::read(dir.file("temp.bat")),
              head + "@toolenv.exe run\r\n@call toolenv.bat\r\n@del toolenv.bat\r\n" +
                  body({"a", "c"}) + "del temp.bat");
    EXPECT_EQ(test::read(dir.file("temp2.bat")),
              head + "@toolenv.exe run toolenv2\r\n@call toolenv2.bat\r\n@del toolenv2.bat\r\n" +
                  body({"b"}) + "del temp2.bat");
    EXPECT_EQ(view.title, "quorbel - 0 of 3 done");
    // Both go into the record a later window resumes from.
    EXPECT_NE(test::read(dir.file("quorbel.running")).find("\r\nscript temp2.bat 4243 "),
              std::string::npos);

    // While they run, "Start" starts only the jobs added since.
    press(Ctl::start);
    EXPECT_EQ(dialogs.asked.back(),
              "message|Start|Every job of the list is running or done: nothing to start.");
    EXPECT_EQ(processes.calls.size(), 2u);
    queue({"d"});
    press(Ctl::start);
    ASSERT_EQ(processes.calls.size(), 3u);
    EXPECT_EQ(processes.calls[2], "start " + dir.file("temp3.bat") + " in " + dir.path());
    EXPECT_EQ(test::read(dir.file("temp3.bat")),
              head + "@toolenv.exe run toolenv3\r\n@call toolenv3.bat\r\n@del toolenv3.bat\r\n" +
                  body({"d"}) + "del temp3.bat");
}

TEST_F(JobsAtOnce, LinesOutsideTheJobsAskForOneScript) {
    os.cpus = 2;
    app.start();
    app.set_jobs_at_once(2);
    queue({"a", "b"});
    app.queue.lines.push_back("shutdown.exe -s -f -t 30");
    dialogs.yes = false;
    press(Ctl::start);
    EXPECT_EQ(dialogs.asked.back(),
              "yesno|Start|The list has lines outside its jobs, such as\nshutdown.exe -s -f -t "
              "30\nScripts that run at once cannot keep their place in the order. Start one "
              "script that runs the whole list?");
    EXPECT_TRUE(processes.calls.empty());
    dialogs.yes = true;
    press(Ctl::start);
    ASSERT_EQ(processes.calls.size(), 1u);
    const std::string script = test::read(dir.file("temp.bat"));
    EXPECT_NE(script.find(test::crlf(job("a")) + test::crlf(job("b")) +
                          "shutdown.exe -s -f -t 30\r\ndel temp.bat"),
              std::string::npos);
}
