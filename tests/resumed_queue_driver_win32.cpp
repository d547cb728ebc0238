// The window side of the resumed-queue run (resumed_queue_test.sh): a queue
// stopped halfway and taken up again, with quorbel.exe beside a real
// x264.exe. Three jobs: a, CRF; b, two passes to 2 MB; c, CRF. "Start"; once
// a's video is there and b's first pass has ended (its stats file renamed to
// its own name), the window and every process of the script are killed, as
// a power cut would stop them. A new window marks a done, lets b go on from
// its second pass and tells so once; "Start" then runs b's second pass and
// c, and a's video is left as it was. The script checks the videos.
//
// Environment: QUORBEL_PROGRAM (the program folder), QUORBEL_CLIPS (three
// clips, separated by "|"), QUORBEL_OUT (the output folder); Windows paths,
// folders ending in a backslash.
#include <windows.h>

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "running_window_win32.h"
#include "test_support.h"

using test::Running;
using ui::Ctl;

namespace {

// Ends every process with one of these program names, again until none is
// left (a script may start the next one meanwhile).
void kill_programs(std::initializer_list<const char*> names) {
    for (int round = 0; round < 50; ++round) {
        HANDLE all = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32 entry = {};
        entry.dwSize = sizeof entry;
        bool found = false;
        for (BOOL more = Process32First(all, &entry); more; more = Process32Next(all, &entry))
            for (const char* name : names)
                if (lstrcmpiA(entry.szExeFile, name) == 0) {
                    found = true;
                    if (HANDLE p = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE,
                                               entry.th32ProcessID)) {
                        TerminateProcess(p, 1);
                        WaitForSingleObject(p, 2000);
                        CloseHandle(p);
                    }
                }
        CloseHandle(all);
        if (!found) return;
        Sleep(100);
    }
}

size_t count_of(const std::string& text, const std::string& word) {
    size_t n = 0;
    for (size_t at = 0; (at = text.find(word, at)) != std::string::npos; at += word.size()) ++n;
    return n;
}

// Waits until `done` holds, at most `ms` milliseconds.
template <class Done> bool wait_for(Done done, int ms) {
    for (int waited = 0; waited < ms; waited += 50) {
        if (done()) return true;
        Sleep(50);
    }
    return done();
}

} // namespace

TEST(ResumedQueue, AStoppedQueueGoesOnWhereItStopped) {
    const std::string program = test::environment("QUORBEL_PROGRAM"),
                      out = test::environment("QUORBEL_OUT");
    const std::vector<std::string> clips = test::split(test::environment("QUORBEL_CLIPS"), '|');
    ASSERT_FALSE(program.empty());
    ASSERT_EQ(clips.size(), 3u);
    platform::Os& os = platform::native_os();
    const std::string names[] = {"a", "b", "c"};
    auto video = [&](int i) { return out + names[i] + ".mkv"; };
    const std::string stats_b = program + "stats\\b.stat", log_b = program + "log\\b.txt";

    {
        Running app(program + "quorbel.exe", program);
        ASSERT_TRUE(app.window);
        ASSERT_TRUE(app.answer("x264", IDYES)); // current lines, inputs opened by x264
        app.click(Ctl::size_box);
        const int modes[] = {2, 6, 2};
        const char* values[] = {"26", "2", "26"};
        for (int i = 0; i < 3; ++i) {
            app.choose(Ctl::mode, modes[i]);
            app.type(Ctl::value, values[i]);
            app.type(Ctl::infile, clips[i]);
            app.type(Ctl::outfile, video(i));
            app.type(Ctl::statsname, program + "stats\\" + names[i] + ".stat");
            app.type(Ctl::logname, program + "log\\" + names[i] + ".txt");
            app.click(Ctl::add);
        }
        app.click(Ctl::start);
        // b's first pass has ended once its stats file has its own name and
        // the pass's log is closed.
        ASSERT_TRUE(wait_for(
            [&] {
                return os.file_exists(stats_b) &&
                       test::read(log_b).find("EndTime:") != std::string::npos;
            },
            300000))
            << "b's first pass did not end";
        Sleep(1500);
        ASSERT_TRUE(os.file_exists(video(0)));
        // The stop: the window and the script, mid-way through b's second pass.
        TerminateProcess(app.pi.hProcess, 1);
        kill_programs({"cmd.exe", "x264.exe", "runlog.exe", "sizegate.exe"});
        WaitForSingleObject(app.pi.hProcess, 10000);
    }
    std::optional<platform::FileInfo> a_before = os.file_info(video(0));
    ASSERT_TRUE(a_before);
    // The killed second pass's log frame may be lost with runlog's buffer.
    const size_t passes_before = count_of(test::read(log_b), "StartTime:");
    EXPECT_GE(passes_before, 1u) << test::read(log_b);

    {
        Running app(program + "quorbel.exe", program);
        ASSERT_TRUE(app.window);
        HWND told = test::find_dialog(app.pid(), "quorbel");
        ASSERT_TRUE(told) << "the new window told nothing";
        EXPECT_EQ(test::message_text(told),
                  "1 of 3 jobs had finished before quorbel stopped; it is marked done. Start runs "
                  "the other 2. 1 of them goes on from its second pass: the first had ended.");
        SendMessageA(told, WM_COMMAND, IDOK, 0);
        // The stopped script and its environment file are gone.
        EXPECT_FALSE(os.file_exists(program + "temp.bat"));
        EXPECT_FALSE(os.file_exists(program + "toolenv.bat"));

        app.click(Ctl::start);
        bool started = false, ended = false;
        for (int waited = 0; waited < 300000 && !ended; waited += 100) {
            bool exists = os.file_exists(program + "temp.bat");
            started = started || exists;
            ended = started && !exists;
            Sleep(100);
        }
        ASSERT_TRUE(ended) << "the script did not finish";
        HWND result = test::find_dialog(app.pid(), "quorbel");
        ASSERT_TRUE(result) << "no result message";
        EXPECT_EQ(test::message_text(result),
                  "temp.bat has ended: 2 of 2 jobs produced their file. They are marked done: "
                  "\"Start\" does not run them again.");
        SendMessageA(result, WM_COMMAND, IDOK, 0);
        app.click(Ctl::cancel);
        EXPECT_EQ(app.exit_code(), 0);
    }
    // b ran its second pass alone: one pass more in its log, its first
    // pass's line marked done. a's video was not made again.
    EXPECT_EQ(count_of(test::read(log_b), "StartTime:"), passes_before + 1) << test::read(log_b);
    const std::string kept = test::read(program + "quorbel.jobs");
    const size_t first_pass = kept.find(" -p 1 "); // b's: a and c are one pass each
    ASSERT_NE(first_pass, std::string::npos);
    EXPECT_EQ(kept.compare(kept.rfind('\n', first_pass) + 1, 5, "@rem "), 0) << kept;
    std::optional<platform::FileInfo> a_after = os.file_info(video(0));
    ASSERT_TRUE(a_after);
    EXPECT_EQ(a_after->modified, a_before->modified);
    EXPECT_EQ(a_after->size, a_before->size);

    // Told once: a third window says nothing.
    Running again(program + "quorbel.exe", program);
    ASSERT_TRUE(again.window);
    EXPECT_FALSE(test::find_dialog(again.pid(), "quorbel", 2000));
    again.click(Ctl::cancel);
    EXPECT_EQ(again.exit_code(), 0);
}
