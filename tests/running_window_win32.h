// quorbel.exe started as its own process, its window found and its
// controls reached from outside.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "frontend/ui/control_ids.h"

namespace test {

using ui::Ctl;

// A variable of the environment the driving script sets; empty when unset.
inline std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The parts of `text` between the separators.
inline std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1)
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

// A control of the window: in the window itself or in one of its pages. A
// page's controls are made when it is first shown, so its tab is chosen
// first (as a click on it does) when they are not there yet.
inline HWND find_control(HWND window, Ctl id) {
    if (HWND direct = GetDlgItem(window, static_cast<int>(id))) return direct;
    for (int attempt = 0; attempt < 2; ++attempt) {
        for (HWND page = GetWindow(window, GW_CHILD); page; page = GetWindow(page, GW_HWNDNEXT))
            if (HWND h = GetDlgItem(page, static_cast<int>(id))) return h;
        HWND tabs = GetDlgItem(window, static_cast<int>(Ctl::tabs));
        if (!tabs || page_of(id) == ui::Page::none) break;
        SendMessageA(tabs, TCM_SETCURFOCUS, static_cast<WPARAM>(page_of(id)), 0);
    }
    return nullptr;
}

// Calls `visit(window, class, title)` for each visible top-level window of
// a process until it returns false.
inline void
each_shown_window(DWORD pid,
                  const std::function<bool(HWND, const std::string&, const std::string&)>& visit) {
    struct Search {
        DWORD pid;
        const std::function<bool(HWND, const std::string&, const std::string&)>& visit;
    } search{pid, visit};
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner != s->pid || !IsWindowVisible(w)) return TRUE;
            char cls[64] = {}, text[256] = {};
            GetClassNameA(w, cls, sizeof cls);
            GetWindowTextA(w, text, sizeof text);
            return s->visit(w, cls, text) ? TRUE : FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
}

// A dialog box of the process (class "#32770") whose title is `title` (any
// title when it is empty), once it is shown; nullptr when none comes within
// `ms` milliseconds.
inline HWND find_dialog(DWORD pid, const std::string& title, int ms = 10000) {
    HWND found = nullptr;
    for (int waited = 0; waited <= ms && !found; waited += 50) {
        each_shown_window(pid, [&](HWND w, const std::string& cls, const std::string& text) {
            if (cls != "#32770" || (!title.empty() && text != title)) return true;
            found = w;
            return false;
        });
        if (!found) Sleep(50);
    }
    return found;
}

// The visible top-level windows of a process, "class 'title'" each, for
// saying what a program shows instead of what a test waits for.
inline std::string shown_windows(DWORD pid) {
    std::string shown;
    each_shown_window(pid, [&](HWND, const std::string& cls, const std::string& text) {
        shown += (shown.empty() ? "" : ", ") + cls + " '" + text + "'";
        return true;
    });
    return shown.empty() ? "no window" : shown;
}

// The text of a message box (its static text, id 0xFFFF).
inline std::string message_text(HWND box) {
    char buf[4096] = {};
    GetDlgItemTextA(box, 0xFFFF, buf, sizeof buf);
    return buf;
}

struct Running {
    PROCESS_INFORMATION pi = {};
    HWND window = nullptr;

    // Starts the program with the given current folder and waits for its window.
    Running(const std::string& exe, const std::string& current_folder) {
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        std::string command = "\"" + exe + "\"";
        if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            current_folder.c_str(), &si, &pi))
            return;
        WaitForInputIdle(pi.hProcess, 20000);
        for (int i = 0; i < 400 && !window; ++i) {
            EnumWindows(
                [](HWND w, LPARAM self) -> BOOL {
                    auto* r = reinterpret_cast<Running*>(self);
                    DWORD pid = 0;
                    GetWindowThreadProcessId(w, &pid);
                    char cls[64] = {};
                    GetClassNameA(w, cls, sizeof cls);
                    if (pid != r->pi.dwProcessId || std::string(cls) != "QuorbelWindow")
                        return TRUE;
                    r->window = w;
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(this));
            if (!window) Sleep(50);
        }
        // The window's thread answers a sent message only from its event
        // loop, once start-up has finished.
        DWORD_PTR result = 0;
        if (window) SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &result);
    }
    ~Running() {
        if (pi.hProcess && WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(pi.hProcess, 1);
        if (pi.hProcess) CloseHandle(pi.hProcess);
        if (pi.hThread) CloseHandle(pi.hThread);
    }
    HWND control(Ctl id) const { return find_control(window, id); }
    // Answers the message box titled `title` with `button` (IDOK, IDYES,
    // IDNO) once it comes, as a user would; false when none comes. The window
    // asks about the x264 in use once it is idle: a note when there is none.
    bool answer(const std::string& title, int button) const {
        HWND box = find_dialog(pid(), title);
        if (!box) return false;
        SendMessageA(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
        for (int i = 0; i < 100 && IsWindow(box); ++i) Sleep(20);
        return true;
    }
    DWORD pid() const { return pi.dwProcessId; }
    // Sets a control's text as typing would.
    void type(Ctl id, const std::string& text) const {
        SendMessageA(control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    // Chooses an item of a list as a user's click does.
    void choose(Ctl id, int index) const {
        HWND list = control(id);
        SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(static_cast<int>(id), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
    }
    void click(Ctl id) const { SendMessageA(control(id), BM_CLICK, 0, 0); }
    std::string text(Ctl id) const {
        char buf[1024] = {};
        SendMessageA(control(id), WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
        return buf;
    }
    // The exit code, once the process has ended within a few seconds; -1 if not.
    long exit_code() const {
        if (WaitForSingleObject(pi.hProcess, 15000) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        GetExitCodeProcess(pi.hProcess, &code);
        return static_cast<long>(code);
    }
};

} // namespace test
