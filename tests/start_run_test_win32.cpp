// The proof of "Start": the real window queues two conditional jobs (mode 13)
// for inputs and outputs in folders with odd names, "Start" writes and starts
// the script, and wine's cmd runs it with our runlog, sizegate, toolenv and
// pausems and a stand-in x264. The second pass runs only where the first
// output missed its size range.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "running_window_win32.h"
#include "test_support.h"

using test::Running;
using ui::Ctl;

namespace {

std::string bin(const char* name) {
    return std::string(QUORBEL_BIN) + "/" + name;
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

} // namespace

// A program folder with quorbel.exe, the tools and the stand-in x264.exe.
struct StartRun : ::testing::Test {
    test::TempFolder program, files;
    const std::string p = program.path();
    platform::Os& os = platform::native_os();

    void SetUp() override {
        for (auto [from, to] : {std::pair{bin("quorbel.exe"), "quorbel.exe"},
                                {bin("runlog.exe"), "runlog.exe"},
                                {bin("sizegate.exe"), "sizegate.exe"},
                                {bin("toolenv.exe"), "toolenv.exe"},
                                {bin("pausems.exe"), "pausems.exe"},
                                {bin("stubs/x264.exe"), "x264.exe"}})
            ASSERT_TRUE(CopyFileA(from.c_str(), (p + to).c_str(), FALSE)) << from;
        os.write_file(p + "x264_sizes.txt", "1000 3000000");
        // A build of the classic lines' era: the start-up question offers
        // only direct inputs (wine has no AviSynth), which the tests decline.
        os.write_file(p + "x264_version.txt", "x264 0.65.995 2a7fbd5\n");
    }

    // "Start", then the script's end (it deletes itself) and the window's
    // message about it, answered with OK. The message's text.
    std::string start_and_wait(const Running& app) {
        app.click(Ctl::start);
        bool started = false;
        for (int i = 0; i < 600; ++i) {
            bool exists = os.file_exists(p + "temp.bat");
            started = started || exists || os.file_exists(p + "x264_calls.txt");
            if (started && !exists) break;
            Sleep(100);
        }
        EXPECT_FALSE(os.file_exists(p + "temp.bat"));
        EXPECT_FALSE(os.file_exists(p + "toolenv.bat"));
        HWND result = test::find_dialog(app.pid(), "quorbel");
        if (!result) return "<no message>";
        std::string text = test::message_text(result);
        SendMessageA(result, WM_COMMAND, IDOK, 0);
        return text;
    }
};

TEST_F(StartRun, QueuedJobsRunThroughTheScriptWithTheToolsAndDeleteIt) {
    // Every character the command interpreter gives a meaning of its own.
    const std::string in = files.path() + "in & 100% ! ^ (1); a,b=c\\",
                      out = files.path() + "out & 5%!^()=;,\\";
    ASSERT_TRUE(CreateDirectoryA(in.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(out.c_str(), nullptr));
    os.write_file(in + "a.avs", "");
    os.write_file(in + "b.avs", "");

    Running app(p + "quorbel.exe", p);
    ASSERT_TRUE(app.window);
    ASSERT_TRUE(app.answer("x264", IDNO));
    app.choose(Ctl::mode, 13);
    // Job a: 1000 bytes lie within 0..1 MB; job b: they miss 2..3 MB.
    for (const char* name : {"a", "b"}) {
        bool first = name[0] == 'a';
        app.type(Ctl::infile, in + name + ".avs");
        app.type(Ctl::outfile, out + name + ".mp4");
        app.type(Ctl::statsname, p + "stats\\" + name + ".stat");
        app.type(Ctl::logname, p + "log\\" + name + ".txt");
        app.type(Ctl::minsize, first ? "0" : "2");
        app.type(Ctl::maxsize, first ? "1" : "3");
        app.click(Ctl::add);
    }
    EXPECT_EQ(SendMessageA(app.control(Ctl::job_list), LB_GETCOUNT, 0, 0), 2 * 8);
    EXPECT_EQ(start_and_wait(app),
              "temp.bat has ended: 2 of 2 jobs produced their file. They are marked "
              "done: \"Start\" does not run them again.");
    app.click(Ctl::cancel);
    EXPECT_EQ(app.exit_code(), 0);
    EXPECT_NE(test::read(p + "quorbel.ini").find("mode = 13\r\n"), std::string::npos);

    // The stand-in saw the odd names intact; b's second pass ran, a's did not.
    std::vector<std::string> calls = lines_of(test::read(p + "x264_calls.txt"));
    ASSERT_EQ(calls.size(), 3u) << test::read(p + "x264_calls.txt");
    EXPECT_EQ(calls[0].substr(0, calls[0].rfind('|')),
              "crf 16|" + out + "a.mp4|" + p + "stats\\a.stat");
    EXPECT_EQ(calls[1].substr(0, calls[1].rfind('|')),
              "crf 16|" + out + "b.mp4|" + p + "stats\\b.stat");
    EXPECT_EQ(calls[2].substr(0, calls[2].rfind('|')),
              "bitrate 26|" + out + "b.mp4|" + p + "stats\\b.stat");
    EXPECT_EQ(test::read(out + "b.mp4").size(), 3000000u);
    EXPECT_EQ(test::read(out + "a.mp4").size(), 1000u);

    // The encoder's output reached each log through runlog, framed.
    std::string log_a = test::read(p + "log\\a.txt"), log_b = test::read(p + "log\\b.txt");
    EXPECT_NE(log_a.find("StartTime:"), std::string::npos) << log_a;
    EXPECT_NE(log_a.find("encoded 4 frames"), std::string::npos) << log_a;
    EXPECT_NE(log_a.find("EndTime:"), std::string::npos) << log_a;
    size_t first_b = log_b.find("StartTime:");
    EXPECT_NE(log_b.find("StartTime:", first_b + 1), std::string::npos) << log_b; // two passes
}

TEST_F(StartRun, TheResultNamesTheJobThatMadeNoFileWithItsLog) {
    Running app(p + "quorbel.exe", p);
    ASSERT_TRUE(app.window);
    ASSERT_TRUE(app.answer("x264", IDNO));
    for (const char* name : {"made", "nothing"}) {
        app.type(Ctl::infile, files.path() + name + ".avs");
        app.type(Ctl::outfile, files.path() + name + ".mkv");
        app.type(Ctl::logname, p + "log\\" + name + ".txt");
        app.click(Ctl::add);
    }
    EXPECT_EQ(start_and_wait(app),
              "temp.bat has ended: 1 of 2 jobs produced their file. The job that did "
              "is marked done: \"Start\" runs only the others.\n\n"
              "No file came from:\n" +
                  files.path() + "nothing.mkv (log: " + p +
                  "log\\nothing.txt)\n  encoded 4 frames");
    app.click(Ctl::cancel);
    EXPECT_EQ(app.exit_code(), 0);
}

TEST_F(StartRun, AccentedNamesGoThroughFilesInputAndStartIntact) {
    // "\xe9" is an accented e in the ANSI code page; the batch file holds it
    // in the console's, which the command interpreter reads.
    const std::string in = files.path() + "clips \xe9t\xe9\\", clip = in + "caf\xe9.y4m";
    ASSERT_TRUE(CreateDirectoryA(in.c_str(), nullptr));
    os.write_file(clip, "");
    Running app(p + "quorbel.exe", p);
    ASSERT_TRUE(app.window);
    ASSERT_TRUE(app.answer("x264", IDNO));
    app.choose(Ctl::mode, 2);
    PostMessageA(app.control(Ctl::files_input), BM_CLICK, 0, 0);
    HWND folder = test::find_dialog(app.pid(), "Browse for Folder");
    ASSERT_TRUE(folder) << "no folder dialog";
    SendMessageA(GetDlgItem(folder, IDOK), BM_CLICK, 0, 0); // the folder as offered
    HWND files_dialog = test::find_dialog(app.pid(), "Select some files");
    ASSERT_TRUE(files_dialog) << "no file dialog";
    HWND name = GetDlgItem(files_dialog, 0x47c);
    if (!name) name = GetDlgItem(files_dialog, 0x480);
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(clip.c_str()));
    SendMessageA(GetDlgItem(files_dialog, IDOK), BM_CLICK, 0, 0);
    for (int i = 0; i < 100 && SendMessageA(app.control(Ctl::job_list), LB_GETCOUNT, 0, 0) < 6; ++i)
        Sleep(50);
    ASSERT_EQ(SendMessageA(app.control(Ctl::job_list), LB_GETCOUNT, 0, 0), 6);
    // The wrapper stays in the ANSI code page, which AviSynth reads.
    EXPECT_EQ(test::read(p + "avs\\caf\xe9.y4m.avs").substr(0, clip.size() + 5),
              "fs=\"" + clip + "\"");
    EXPECT_EQ(start_and_wait(app),
              "temp.bat has ended: 1 of 1 job produced its file. It is marked done: "
              "\"Start\" does not run it again.");
    app.click(Ctl::cancel);
    std::vector<std::string> calls = lines_of(test::read(p + "x264_calls.txt"));
    ASSERT_EQ(calls.size(), 1u);
    std::string call = calls[0].substr(0, calls[0].rfind('|'));
    const std::string output_end = "\\caf\xe9.mp4|";
    EXPECT_EQ(call.rfind("crf 26|", 0), 0u) << call;
    ASSERT_GT(call.size(), output_end.size());
    EXPECT_EQ(call.substr(call.size() - output_end.size()), output_end) << call;
    os.delete_file(call.substr(7, call.size() - 8));
}
