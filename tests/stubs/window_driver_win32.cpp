// Drives a running quorbel window from outside, as a user's keyboard and
// mouse would, for the pictures of the main job and the window tests:
//   window_driver wait            waits until the window is idle
//   window_driver page N          shows page N (0 to 4) with Ctrl+Tab
//   window_driver cancel          presses "Cancel"
//   window_driver front           puts the window above every other one
//   window_driver queue INPUT OUTPUT   types both names and presses "Add";
//                                 fails with the text of any message box
//                                 "Add" answers with instead of a new job
//   window_driver edit            selects the job list's first line and
//                                 presses "edit" (the box stays open)
//   window_driver close-edit      closes the "Edit" box with OK
//   window_driver system-menu     opens the window's system menu
//   window_driver close-menu      closes it again
//   window_driver question TITLE  waits up to 5 s for a message box of the
//                                 program titled TITLE (exit code 1 if none)
//   window_driver answer TITLE yes|no|ok   answers that message box
//   window_driver type ID TEXT    sets the text of the control with that id
//   window_driver click ID        presses the button with that id (the
//                                 driver returns at once; a box may follow)
//   window_driver command TITLE ID   clicks the button ID of the visible
//                                 top-level window of any program whose title
//                                 begins with TITLE, for the pictures of other
//                                 programs such as the installer
// Exit code 0 on success, 1 when the window is not found or does not follow
// (each step waits 20 s at the most, and says on standard error what failed).
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "frontend/ui/control_ids.h"
#include "running_window_win32.h"

namespace {

HWND find_window() {
    for (int i = 0; i < 200; ++i) {
        HWND w = FindWindowA("QuorbelWindow", nullptr); // its title tells a run's progress
        if (w && GetDlgItem(w, static_cast<int>(ui::Ctl::cancel))) return w;
        Sleep(50);
    }
    return nullptr;
}

void key(WORD vk, bool up) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
}

void mouse(DWORD flags) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    SendInput(1, &in, sizeof in);
    Sleep(100);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: window_driver wait | page N | cancel | question TITLE\n");
        return 2;
    }
    if (std::string(argv[1]) == "command" && argc == 4) {
        // A visible window whose title begins with TITLE (an installer adds
        // to its title from page to page).
        struct Search {
            const char* title;
            HWND found;
        } search{argv[2], nullptr};
        for (int i = 0; i < 100 && !search.found; ++i) {
            EnumWindows(
                [](HWND w, LPARAM p) -> BOOL {
                    auto* s = reinterpret_cast<Search*>(p);
                    char text[256] = {};
                    GetWindowTextA(w, text, sizeof text);
                    if (!IsWindowVisible(w) || std::string(text).rfind(s->title, 0) != 0)
                        return TRUE;
                    s->found = w;
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(&search));
            if (!search.found) Sleep(100);
        }
        HWND target = search.found;
        if (!target) return 1;
        // The button pressed with the mouse.
        HWND button = GetDlgItem(target, std::atoi(argv[3]));
        if (!button) return 1;
        RECT r;
        GetWindowRect(button, &r);
        SetForegroundWindow(target);
        SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        mouse(MOUSEEVENTF_LEFTDOWN);
        mouse(MOUSEEVENTF_LEFTUP);
        Sleep(1000);
        return 0;
    }
    HWND w = find_window();
    if (!w) {
        std::fprintf(stderr, "window_driver: no quorbel window\n");
        return 1;
    }
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    std::string command = argv[1];
    // Message boxes come before the loop is idle (the start-up question).
    if ((command == "question" && argc == 3) || (command == "answer" && argc == 4)) {
        HWND box = test::find_dialog(pid, argv[2], 5000);
        if (!box) return 1;
        if (command == "answer")
            SendMessageA(box, WM_COMMAND,
                         std::string(argv[3]) == "yes"  ? IDYES
                         : std::string(argv[3]) == "ok" ? IDOK
                                                        : IDNO,
                         0);
        Sleep(300);
        return 0;
    }
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
    if (process) WaitForInputIdle(process, 10000);
    // Answered from the event loop only, once start-up has finished.
    DWORD_PTR result = 0;
    SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &result);
    if (command == "wait") return 0;
    if (command == "type" && argc == 4) {
        HWND h = test::find_control(w, static_cast<ui::Ctl>(std::atoi(argv[2])));
        if (!h) return 1;
        SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3]));
        return 0;
    }
    if (command == "click" && argc == 3) {
        HWND h = test::find_control(w, static_cast<ui::Ctl>(std::atoi(argv[2])));
        if (!h) return 1;
        PostMessageA(h, BM_CLICK, 0, 0);
        Sleep(500);
        return 0;
    }
    if (command == "front") {
        SetWindowPos(w, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        SetForegroundWindow(w);
        Sleep(300);
        return 0;
    }
    if (command == "cancel") {
        PostMessageA(GetDlgItem(w, static_cast<int>(ui::Ctl::cancel)), BM_CLICK, 0, 0);
        return 0;
    }
    if (command == "queue" && argc == 4) {
        HWND input = test::find_control(w, ui::Ctl::infile);
        HWND output = test::find_control(w, ui::Ctl::outfile);
        HWND list = test::find_control(w, ui::Ctl::job_list);
        if (!input || !output || !list) {
            std::fprintf(stderr, "window_driver: no input, output or job list field\n");
            return 1;
        }
        SendMessageA(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[2]));
        SendMessageA(output, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3]));
        DWORD_PTR before = 0, now = 0;
        SendMessageTimeoutA(list, LB_GETCOUNT, 0, 0, SMTO_NORMAL, 5000, &before);
        // Posted: "Add" may answer with a message box, which must not hold
        // the driver.
        PostMessageA(GetDlgItem(w, static_cast<int>(ui::Ctl::add)), BM_CLICK, 0, 0);
        for (int waited = 0; waited < 20000; waited += 100) {
            if (HWND box = test::find_dialog(pid, "", 0)) {
                std::fprintf(stderr, "window_driver: \"Add\" answered: %s\n",
                             test::message_text(box).c_str());
                return 1;
            }
            if (SendMessageTimeoutA(list, LB_GETCOUNT, 0, 0, SMTO_NORMAL, 5000, &now) &&
                now > before)
                return 0;
            Sleep(100);
        }
        std::fprintf(stderr, "window_driver: \"Add\" queued no job within 20 s\n");
        return 1;
    }
    if (command == "edit") {
        HWND list = test::find_control(w, ui::Ctl::job_list);
        if (!list || SendMessageA(list, LB_GETCOUNT, 0, 0) <= 0) {
            std::fprintf(stderr, "window_driver: the job list is empty\n");
            return 1;
        }
        SendMessageA(list, LB_SETCURSEL, 0, 0);
        SendMessageA(GetParent(list), WM_COMMAND,
                     MAKEWPARAM(static_cast<int>(ui::Ctl::job_list), LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        PostMessageA(test::find_control(w, ui::Ctl::edit), BM_CLICK, 0, 0);
        if (test::find_dialog(pid, "Edit", 5000)) return 0;
        std::fprintf(stderr, "window_driver: no \"Edit\" box within 5 s\n");
        return 1;
    }
    if (command == "close-edit") {
        HWND box = test::find_dialog(pid, "Edit", 5000);
        if (!box) return 1;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        Sleep(300);
        return 0;
    }
    if (command == "system-menu" || command == "close-menu") {
        SetForegroundWindow(w);
        if (command == "system-menu")
            PostMessageA(w, WM_SYSCOMMAND, SC_KEYMENU, ' ');
        else
            PostMessageA(w, WM_CANCELMODE, 0, 0); // ends the menu's own loop
        Sleep(500);
        return 0;
    }
    if (command == "page" && argc == 3) {
        int target = std::atoi(argv[2]);
        HWND tabs = GetDlgItem(w, static_cast<int>(ui::Ctl::tabs));
        for (int tries = 0; tries < 10; ++tries) {
            if (SendMessageA(tabs, TCM_GETCURSEL, 0, 0) == target) {
                Sleep(300); // let the page paint
                return 0;
            }
            SetForegroundWindow(w);
            key(VK_CONTROL, false);
            key(VK_TAB, false);
            key(VK_TAB, true);
            key(VK_CONTROL, true);
            Sleep(200);
        }
        std::fprintf(stderr, "window_driver: page %d not reached\n", target);
        return 1;
    }
    std::fprintf(stderr, "window_driver: unknown command %s\n", command.c_str());
    return 2;
}
