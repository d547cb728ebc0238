// Times programs from process start until their window is idle (every
// control created, the message loop waiting), then closes them:
//   window_start ROUNDS PROGRAM...
// The programs take turns, round after round; for each the fastest and the
// median time are printed, in milliseconds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

HWND top_window_of(DWORD pid) {
    struct Search {
        DWORD pid;
        HWND found;
    } s = {pid, nullptr};
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner != s->pid || !IsWindowVisible(w)) return TRUE;
            s->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// Milliseconds from CreateProcess until the program waits for input; -1 on failure.
double time_start(const std::string& program) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::string command = "\"" + program + "\"";
    std::string folder = program.substr(0, program.find_last_of("\\/") + 1);
    LARGE_INTEGER freq, t0, t1;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&t0);
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &si, &pi))
        return -1;
    DWORD idle = WaitForInputIdle(pi.hProcess, 30000);
    QueryPerformanceCounter(&t1);
    HWND w = nullptr;
    for (int i = 0; i < 100 && !(w = top_window_of(pi.dwProcessId)); ++i) Sleep(20);
    if (w) PostMessageA(w, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (idle != 0) return -1;
    return 1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) /
           static_cast<double>(freq.QuadPart);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || std::atoi(argv[1]) < 1) {
        std::fprintf(stderr, "usage: window_start ROUNDS PROGRAM...\n");
        return 2;
    }
    int rounds = std::atoi(argv[1]);
    std::vector<std::vector<double>> times(static_cast<size_t>(argc - 2));
    for (int r = 0; r < rounds; ++r)
        for (int p = 2; p < argc; ++p) {
            double t = time_start(argv[p]);
            if (t < 0) {
                std::fprintf(stderr, "window_start: %s did not start or become idle\n", argv[p]);
                return 1;
            }
            times[static_cast<size_t>(p - 2)].push_back(t);
        }
    std::printf("%-40s %10s %10s\n", "program", "best ms", "median ms");
    for (int p = 2; p < argc; ++p) {
        std::vector<double>& t = times[static_cast<size_t>(p - 2)];
        std::sort(t.begin(), t.end());
        std::printf("%-40s %10.1f %10.1f\n", argv[p], t.front(), t[t.size() / 2]);
    }
    return 0;
}
