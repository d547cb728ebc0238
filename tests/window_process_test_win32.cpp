// quorbel.exe as a user starts it: its own process, another working
// directory, the keyboard, and its end through "Cancel", the close box or
// Alt+F4, each saving quorbel.ini in the program's folder.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "frontend/ui/control_ids.h"
#include "running_window_win32.h"
#include "test_support.h"

using test::Running;
using ui::Ctl;

namespace {

void press(std::initializer_list<WORD> keys) {
    for (WORD k : keys) {
        INPUT in = {};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = k;
        SendInput(1, &in, sizeof in);
    }
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) {
        INPUT in = {};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = *it;
        in.ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(1, &in, sizeof in);
    }
    Sleep(300);
}

// The windows of the program's class, of any process.
int quorbel_windows() {
    int windows = 0;
    EnumWindows(
        [](HWND w, LPARAM count) -> BOOL {
            char cls[32] = {};
            GetClassNameA(w, cls, sizeof cls);
            if (std::string(cls) == "QuorbelWindow" && IsWindowVisible(w))
                ++*reinterpret_cast<int*>(count);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// Starts the program and waits for it to end; its exit code.
long start_and_wait(const std::string& exe, const std::string& folder) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::string command = "\"" + exe + "\"";
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &si, &pi))
        return -1;
    DWORD code = 99;
    if (WaitForSingleObject(pi.hProcess, 15000) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return static_cast<long>(code);
}

// A path of the Unix side as wine names it.
std::string on_drive_z(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path + "\\";
}

class WindowProcess : public ::testing::Test {
  protected:
    test::TempFolder program, elsewhere;
    platform::Os& os = platform::native_os();
    std::string exe = program.file("quorbel.exe");

    void SetUp() override { ASSERT_TRUE(CopyFileA(QUORBEL_EXE, exe.c_str(), FALSE)); }
};

} // namespace

TEST_F(WindowProcess, ReadsAndWritesTheProgramFoldersSettingsFromAnotherWorkingDirectory) {
    os.write_file(program.file("quorbel.ini"), "mode = 0\r\nvalue = 333\r\n");
    const std::string stale = "mode = 0\r\nvalue = 444\r\n";
    os.write_file(elsewhere.file("quorbel.ini"), stale);
    Running app(exe, elsewhere.path());
    ASSERT_TRUE(app.window);
    ASSERT_TRUE(app.answer("x264", IDOK)); // no x264.exe here: the note
    EXPECT_EQ(app.text(Ctl::value), "333");
    EXPECT_EQ(app.text(Ctl::value_caption), "Average Bitrate");
    SendMessageA(app.control(Ctl::cancel), BM_CLICK, 0, 0);
    EXPECT_EQ(app.exit_code(), 0);
    EXPECT_NE(test::read(program.file("quorbel.ini")).find("value = 333\r\n"), std::string::npos);
    EXPECT_EQ(test::read(elsewhere.file("quorbel.ini")), stale);
    for (const char* sub : {"avs", "stats", "configs", "log", "avsinc"}) {
        EXPECT_TRUE(std::filesystem::is_directory(program.file(sub))) << sub;
        EXPECT_FALSE(std::filesystem::exists(elsewhere.file(sub))) << sub;
    }
}

TEST_F(WindowProcess, AFreshStartEndsThroughTheCloseBoxWithTheDefaultsSaved) {
    Running app(exe, program.path());
    ASSERT_TRUE(app.window);
    ASSERT_TRUE(app.answer("x264", IDOK)); // no x264.exe here: the note
    EXPECT_EQ(app.text(Ctl::mode), "Single Pass - Quantizer");
    EXPECT_EQ(app.text(Ctl::value), "26");
    PostMessageA(app.window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(app.exit_code(), 0);
    std::string saved = test::read(program.file("quorbel.ini"));
    EXPECT_NE(saved.find("mode = 1\r\ndm = 0\r\n"), std::string::npos) << saved;
    EXPECT_FALSE(os.file_exists(program.file("default.ini")));
}

TEST_F(WindowProcess, KeyboardChangesPagesMovesBetweenControlsAndClosesWithAltF4) {
    os.write_file(program.file("quorbel.ini"), "mode = 5\r\n");
    Running app(exe, program.path());
    ASSERT_TRUE(app.window);
    ASSERT_TRUE(app.answer("x264", IDOK)); // no x264.exe here: the note
    SetForegroundWindow(app.window);
    Sleep(300);
    HWND tabs = app.control(Ctl::tabs);
    press({VK_CONTROL, VK_TAB});
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 1);
    press({VK_CONTROL, VK_SHIFT, VK_TAB});
    press({VK_CONTROL, VK_SHIFT, VK_TAB});
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 4);

    // Tab goes from the tab panel into the visible page, Shift+Tab back.
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    press({VK_TAB});
    GetGUIThreadInfo(app.pi.dwThreadId, &gui);
    HWND first = gui.hwndFocus;
    EXPECT_EQ(GetDlgCtrlID(first), static_cast<int>(Ctl::job_list));
    press({VK_TAB});
    GetGUIThreadInfo(app.pi.dwThreadId, &gui);
    EXPECT_NE(gui.hwndFocus, first);
    press({VK_SHIFT, VK_TAB});
    GetGUIThreadInfo(app.pi.dwThreadId, &gui);
    EXPECT_EQ(gui.hwndFocus, first);

    press({VK_MENU, VK_F4});
    EXPECT_EQ(app.exit_code(), 0);
    EXPECT_NE(test::read(program.file("quorbel.ini")).find("mode = 5\r\n"), std::string::npos);
}

TEST_F(WindowProcess, QueuedJobsComeBackWholeAfterTheProcessIsKilled) {
    auto queue = [](const Running& app, const std::string& name) {
        app.type(Ctl::infile, "C:\\clips\\" + name + " & 100%.avs");
        app.type(Ctl::outfile, "D:\\out\\" + name + ".mkv");
        app.click(Ctl::add);
    };
    std::string kept, leftover;
    {
        Running app(exe, program.path());
        ASSERT_TRUE(app.window);
        ASSERT_TRUE(app.answer("x264", IDOK)); // no x264.exe here: the note
        queue(app, "first");
        queue(app, "second");
        app.click(Ctl::shut);
        kept = test::read(program.file("quorbel.jobs"));
        ASSERT_EQ(std::count(kept.begin(), kept.end(), '\n'), 2 * 6 + 1) << kept;
        TerminateProcess(app.pi.hProcess, 1); // no goodbye, no save at exit
        WaitForSingleObject(app.pi.hProcess, 5000);
        // What a write that the kill cut short would leave.
        leftover = program.file("quorbel.jobs.~" + std::to_string(app.pid()) + "-7");
        ASSERT_TRUE(os.write_file(leftover, "half a job list"));
    }
    Running app(exe, program.path());
    ASSERT_TRUE(app.window);
    ASSERT_TRUE(app.answer("x264", IDOK));  // no x264.exe here: the note
    EXPECT_FALSE(os.file_exists(leftover)); // removed at the start
    EXPECT_EQ(SendMessageA(app.control(Ctl::job_list), LB_GETCOUNT, 0, 0), 2 * 6 + 1);
    // "Make BAT" writes the list as the window holds it, after its four head lines.
    PostMessageA(app.control(Ctl::make_bat), BM_CLICK, 0, 0);
    HWND save = test::find_dialog(app.pid(), "Save As");
    ASSERT_TRUE(save) << "no save dialog";
    HWND name = GetDlgItem(save, 0x47c);
    if (!name) name = GetDlgItem(save, 0x480);
    std::string bat = program.file("back.bat");
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(bat.c_str()));
    SendMessageA(GetDlgItem(save, IDOK), BM_CLICK, 0, 0);
    for (int i = 0; i < 100 && !os.file_exists(bat); ++i) Sleep(50);
    std::string written = test::read(bat);
    size_t head = 0;
    for (int line = 0; line < 4; ++line) head = written.find("\r\n", head) + 2;
    EXPECT_EQ(written.substr(head), kept);
    app.click(Ctl::cancel);
    EXPECT_EQ(app.exit_code(), 0);
}

TEST_F(WindowProcess, ASecondStartInTheSameFolderLeavesOneWindow) {
    Running first(exe, program.path());
    ASSERT_TRUE(first.window);
    ASSERT_TRUE(first.answer("x264", IDOK)); // no x264.exe here: the note
    ShowWindow(first.window, SW_MINIMIZE);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::string command = "\"" + exe + "\"";
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               elsewhere.path().c_str(), &si, &pi));
    ASSERT_EQ(WaitForSingleObject(pi.hProcess, 15000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    EXPECT_EQ(quorbel_windows(), 1);
    EXPECT_FALSE(IsIconic(first.window)); // brought back to the front
    first.click(Ctl::cancel);
    EXPECT_EQ(first.exit_code(), 0);
}

TEST_F(WindowProcess, TheFolderThroughASymbolicLinkIsTheSameFolder) {
    const std::string real = on_drive_z(QUORBEL_LINKED_DIR "/Real");
    const std::string link = on_drive_z(QUORBEL_LINKED_DIR "/link");
    ASSERT_TRUE(CopyFileA(QUORBEL_EXE, (real + "quorbel.exe").c_str(), FALSE));
    Running first(real + "quorbel.exe", real);
    ASSERT_TRUE(first.window);
    ASSERT_TRUE(first.answer("x264", IDOK)); // no x264.exe here: the note
    EXPECT_EQ(start_and_wait(link + "quorbel.exe", link), 0);
    EXPECT_EQ(quorbel_windows(), 1);
    // Letter case names the same folder too.
    std::string upper = real;
    std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
    EXPECT_EQ(start_and_wait(upper + "QUORBEL.EXE", elsewhere.path()), 0);
    EXPECT_EQ(quorbel_windows(), 1);
    first.click(Ctl::cancel);
    EXPECT_EQ(first.exit_code(), 0);
}

TEST_F(WindowProcess, TwoFoldersWhoseLocksShareANameGetAWindowEach) {
    test::TempFolder other;
    const std::string one = program.file("quorbel.exe"), two = other.file("quorbel.exe");
    ASSERT_TRUE(CopyFileA(QUORBEL_SAME_LOCK_EXE, one.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(QUORBEL_SAME_LOCK_EXE, two.c_str(), FALSE));
    Running first(one, program.path());
    ASSERT_TRUE(first.window);
    ASSERT_TRUE(first.answer("x264", IDOK)); // no x264.exe here: the note
    Running second(two, other.path());
    ASSERT_TRUE(second.window) << "the second folder got no window";
    ASSERT_TRUE(second.answer("x264", IDOK)); // no x264.exe here: the note
    EXPECT_EQ(quorbel_windows(), 2);
    // Each folder still has one window.
    EXPECT_EQ(start_and_wait(one, program.path()), 0);
    EXPECT_EQ(start_and_wait(two, other.path()), 0);
    EXPECT_EQ(quorbel_windows(), 2);
    first.click(Ctl::cancel);
    second.click(Ctl::cancel);
    EXPECT_EQ(first.exit_code(), 0);
    EXPECT_EQ(second.exit_code(), 0);
}

TEST_F(WindowProcess, AStartWhileTheWindowClosesOpensOnceItHasClosed) {
    {
        Running first(exe, program.path());
        ASSERT_TRUE(first.window);
        ASSERT_TRUE(first.answer("x264", IDOK)); // no x264.exe here: the note
        PostMessageA(first.control(Ctl::cancel), BM_CLICK, 0, 0);
        Running next(exe, program.path()); // at once, while the first saves and ends
        EXPECT_TRUE(next.window) << "the start was swallowed";
        EXPECT_EQ(first.exit_code(), 0);
        // Told once for the folder: the first window's note was the one.
        if (next.window) next.click(Ctl::cancel);
        EXPECT_EQ(next.exit_code(), 0);
    }
    EXPECT_EQ(quorbel_windows(), 0);
}
