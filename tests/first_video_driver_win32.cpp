// The window side of the first-video run (first_video_test.sh): quorbel.exe
// in a program folder beside a real x264.exe, driven as a user drives it.
// The start-up question is answered with Yes (lines for current x264, inputs
// opened by x264 itself); four jobs are queued with inputs picked through
// "..." and the file dialog and outputs typed as .mkv; "Start" runs them,
// the run ends when the script has deleted itself, and the window says that
// every job produced its file. The title tells the queue's progress during
// the run; afterwards every job is marked done and a second "Start" runs
// nothing. The script then checks the videos.
//
// Environment: QUORBEL_PROGRAM (the program folder), QUORBEL_CLIPS (four
// clips, separated by "|"), QUORBEL_OUT (the output folder); Windows paths,
// folders ending in a backslash.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

#include "running_window_win32.h"
#include "test_support.h"

using test::Running;
using ui::Ctl;

namespace {

// Picks the input through "..." and the open-file dialog: the path typed
// into the dialog's file name box, then "Open".
void pick_input(const Running& app, const std::string& path) {
    PostMessageA(app.control(Ctl::input_button), BM_CLICK, 0, 0);
    HWND dialog = test::find_dialog(app.pid(), "Open");
    ASSERT_TRUE(dialog) << "no open-file dialog";
    HWND name = GetDlgItem(dialog, 0x47c); // the file name box of the Explorer-style dialog
    if (!name) name = GetDlgItem(dialog, 0x480);
    ASSERT_TRUE(name);
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    for (int i = 0; i < 100 && app.text(Ctl::infile) != path; ++i) Sleep(50);
    ASSERT_EQ(app.text(Ctl::infile), path);
}

struct Job {
    int mode;
    const char* size_mb; // target size (Size ticked throughout)
    const char* minsize;
    const char* maxsize;
};

} // namespace

TEST(FirstVideo, QueuedFromTheWindowAndRunByStart) {
    const std::string program = test::environment("QUORBEL_PROGRAM"),
                      out = test::environment("QUORBEL_OUT");
    const std::vector<std::string> clips = test::split(test::environment("QUORBEL_CLIPS"), '|');
    ASSERT_FALSE(program.empty());
    ASSERT_EQ(clips.size(), 5u);
    platform::Os& os = platform::native_os();

    Running app(program + "quorbel.exe", program);
    ASSERT_TRUE(app.window);
    // The x264 beside the program is Debian's 0.164: it refuses the classic
    // lines, and no AviSynth reads the wrappers.
    HWND question = test::find_dialog(app.pid(), "x264");
    ASSERT_TRUE(question) << "no start-up question";
    std::string asked = test::message_text(question);
    EXPECT_NE(asked.find("(build 3095)"), std::string::npos) << asked;
    EXPECT_NE(asked.find("It writes no MP4 files, so the outputs of picked inputs are named .mkv."),
              std::string::npos)
        << asked;
    EXPECT_NE(asked.find("Switch to the lines for current x264, let x264 choose its threads and "
                         "let x264 open the inputs itself?"),
              std::string::npos)
        << asked;
    SendMessageA(question, WM_COMMAND, IDYES, 0);
    for (int i = 0; i < 100 && IsWindow(question); ++i) Sleep(50);

    const Job jobs[] = {
        {0, "2", "90", "110"}, // single pass to a size
        {6, "2", "90", "110"}, // two passes to a size
        {13, "2", "0", "100"}, // the CRF pass lands within 0..100 MB: no second pass
        {13, "2", "50", "60"}, // it misses 50..60 MB: the second pass runs
    };
    app.click(Ctl::size_box); // "Size" is shown in the bitrate modes
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(clips[i]);
        app.choose(Ctl::mode, jobs[i].mode);
        ASSERT_EQ(SendMessageA(app.control(Ctl::size_box), BM_GETCHECK, 0, 0), BST_CHECKED);
        app.type(Ctl::value, jobs[i].size_mb);
        app.type(Ctl::minsize, jobs[i].minsize);
        app.type(Ctl::maxsize, jobs[i].maxsize);
        pick_input(app, clips[i]);
        const std::string name = clips[i].substr(clips[i].rfind('\\') + 1);
        const std::string output = out + name.substr(0, name.rfind('.')) + ".mkv";
        // This x264 writes no MP4: the derived output is a Matroska file.
        EXPECT_EQ(app.text(Ctl::outfile), clips[i].substr(0, clips[i].rfind('.')) + ".mkv");
        app.type(Ctl::outfile, output);
        LRESULT lines = SendMessageA(app.control(Ctl::job_list), LB_GETCOUNT, 0, 0);
        app.click(Ctl::add);
        ASSERT_GT(SendMessageA(app.control(Ctl::job_list), LB_GETCOUNT, 0, 0), lines + 2)
            << "the job was not queued";
        EXPECT_EQ(app.text(Ctl::infile), "");
    }

    // A fifth job through "Files input", its output named by the program: the
    // folder dialog's own offer (wine's starts on the Desktop), the clip
    // typed into the file dialog. It runs one CRF pass.
    app.choose(Ctl::mode, 2);
    app.type(Ctl::value, "26");
    LRESULT before = SendMessageA(app.control(Ctl::job_list), LB_GETCOUNT, 0, 0);
    PostMessageA(app.control(Ctl::files_input), BM_CLICK, 0, 0);
    // The first folder dialog of a prefix fills its tree from the shell's
    // namespace, which takes a while on a loaded machine.
    DWORD clicked = GetTickCount();
    HWND folder = test::find_dialog(app.pid(), "Browse for Folder", 60000);
    ASSERT_TRUE(folder) << "no folder dialog within 60 s; the program shows: "
                        << test::shown_windows(app.pid());
    std::printf("the folder dialog came after %lu ms\n",
                static_cast<unsigned long>(GetTickCount() - clicked));
    SendMessageA(GetDlgItem(folder, IDOK), BM_CLICK, 0, 0);
    HWND files = test::find_dialog(app.pid(), "Select some files");
    ASSERT_TRUE(files) << "no file dialog";
    HWND name = GetDlgItem(files, 0x47c);
    if (!name) name = GetDlgItem(files, 0x480);
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(clips[4].c_str()));
    SendMessageA(GetDlgItem(files, IDOK), BM_CLICK, 0, 0);
    for (int i = 0;
         i < 100 && SendMessageA(app.control(Ctl::job_list), LB_GETCOUNT, 0, 0) == before; ++i)
        Sleep(50);
    ASSERT_EQ(SendMessageA(app.control(Ctl::job_list), LB_GETCOUNT, 0, 0), before + 6);
    // The output it derived, as the kept job list holds it, for the script.
    std::string kept = test::read(program + "quorbel.jobs");
    size_t at = kept.rfind("@echo Output:\"");
    ASSERT_NE(at, std::string::npos);
    std::string derived = kept.substr(at + 14, kept.find('"', at + 14) - at - 14);
    EXPECT_EQ(derived.substr(derived.size() - 10), "\\files.mkv");
    ASSERT_TRUE(os.write_file(program + "files_input_output.txt", derived));

    app.click(Ctl::start);
    // While the script runs, the title tells the queue's progress: K of 5
    // done, then the percent and the time left, neither K nor P falling.
    bool started = false, ended = false;
    std::vector<std::string> titles;
    unsigned last_done = 0, last_percent = 0, with_percent = 0;
    for (int waited = 0; waited < 600000 && !ended; waited += 100) {
        bool exists = os.file_exists(program + "temp.bat");
        started = started || exists;
        ended = started && !exists;
        char text[256] = {};
        GetWindowTextA(app.window, text, sizeof text);
        if (titles.empty() || titles.back() != text) titles.push_back(text);
        unsigned done = 0, of = 0, percent = 0, h = 0, m = 0, sec = 0;
        char tail[32] = {};
        int fields = std::sscanf(text, "quorbel - %u of %u done - %u%% - %u:%u:%u %31s", &done, &of,
                                 &percent, &h, &m, &sec, tail);
        if (fields >= 2) {
            EXPECT_EQ(of, 5u) << text;
            EXPECT_GE(done, last_done) << text;
            last_done = done;
        }
        if (fields == 7) {
            EXPECT_EQ(std::string(tail), "left") << text;
            EXPECT_GE(percent, last_percent) << text;
            EXPECT_LE(percent, 100u) << text;
            last_percent = percent;
            ++with_percent;
        }
        Sleep(100);
    }
    EXPECT_TRUE(ended) << "the script did not finish within ten minutes";
    std::string seen;
    for (const std::string& t : titles) seen += "\n  " + t;
    EXPECT_GT(with_percent, 5u) << "titles seen:" << seen;
    EXPECT_EQ(titles.front().rfind("quorbel - 0 of 5 done", 0), 0u) << seen;
    std::printf("titles during the run: %zu, e.g. %s\n", titles.size(),
                titles.size() > 2 ? titles[titles.size() / 2].c_str() : "");
    // The window tells the result.
    HWND result = test::find_dialog(app.pid(), "quorbel");
    ASSERT_TRUE(result) << "no result message";
    EXPECT_EQ(test::message_text(result),
              "temp.bat has ended: 5 of 5 jobs produced their file. They are "
              "marked done: \"Start\" does not run them again.");
    SendMessageA(result, WM_COMMAND, IDOK, 0);
    char title[256] = {};
    GetWindowTextA(app.window, title, sizeof title);
    EXPECT_STREQ(title, "quorbel");

    // Each job's x264 lines now carry the mark "Disable" writes.
    std::string marked = test::read(program + "quorbel.jobs");
    size_t x264_lines = 0;
    for (size_t at = 0; (at = marked.find("x264.exe", at)) != std::string::npos; ++at) {
        size_t line = marked.rfind('\n', at);
        line = line == std::string::npos ? 0 : line + 1;
        EXPECT_EQ(marked.compare(line, 5, "@rem "), 0) << marked.substr(line, at - line + 8);
        ++x264_lines;
    }
    EXPECT_GE(x264_lines, 7u);
    // A second "Start" has nothing to run: no script, no video touched.
    std::vector<int64_t> times;
    for (int i = 0; i < 4; ++i) {
        const std::string name = clips[i].substr(clips[i].rfind('\\') + 1);
        std::optional<platform::FileInfo> info =
            os.file_info(out + name.substr(0, name.rfind('.')) + ".mkv");
        times.push_back(info ? info->modified : -1);
    }
    PostMessageA(app.control(Ctl::start), BM_CLICK, 0, 0);
    HWND nothing = test::find_dialog(app.pid(), "Start");
    ASSERT_TRUE(nothing) << "no message at the second Start";
    EXPECT_EQ(test::message_text(nothing),
              "Every job of the list is running or done: nothing to start.");
    SendMessageA(nothing, WM_COMMAND, IDOK, 0);
    Sleep(1000);
    EXPECT_FALSE(os.file_exists(program + "temp.bat"));
    for (int i = 0; i < 4; ++i) {
        const std::string name = clips[i].substr(clips[i].rfind('\\') + 1);
        std::optional<platform::FileInfo> info =
            os.file_info(out + name.substr(0, name.rfind('.')) + ".mkv");
        EXPECT_EQ(info ? info->modified : -1, times[i]) << name;
    }
    app.click(Ctl::cancel);
    EXPECT_EQ(app.exit_code(), 0);
}
