// quorbel.exe started as its own process, its window found and its
// controls reached from outside.
#pragma once

#include <windows.h>

#include <string>

#include "frontend/ui/control_ids.h"

namespace test {

using ui::Ctl;

// A control of the window: in the window itself or in one of its pages.
inline HWND find_control(HWND window, Ctl id) {
    if (HWND direct = GetDlgItem(window, static_cast<int>(id))) return direct;
    for (HWND page = GetWindow(window, GW_CHILD); page; page = GetWindow(page, GW_HWNDNEXT))
        if (HWND h = GetDlgItem(page, static_cast<int>(id))) return h;
    return nullptr;
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
    std::string text(Ctl id) const {
        char buf[256] = {};
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
