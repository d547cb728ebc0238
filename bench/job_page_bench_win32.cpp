// The "Job" page with a large job list, through the real window: the list
// of the last run is read at start (quorbel.jobs of about 20 and 114 MB),
// then the page is opened and one line near the top is disabled, which
// shows the list anew from there. Prints the times and the process's peak
// working set.
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <string>

#include "frontend/commands/job_list_file.h"
#include "frontend/session/session.h"
#include "frontend/ui/window.h"

namespace {

double milliseconds(LARGE_INTEGER a, LARGE_INTEGER b) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return 1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

double now_ms() {
    static LARGE_INTEGER start = [] {
        LARGE_INTEGER t;
        QueryPerformanceCounter(&t);
        return t;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return milliseconds(start, t);
}

// Lets the window paint what it was given.
void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

double peak_mb() {
    PROCESS_MEMORY_COUNTERS pmc = {};
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
    return static_cast<double>(pmc.PeakWorkingSetSize) / 1048576.0;
}

} // namespace

int main(int argc, char** argv) {
    int mb = argc > 1 ? std::atoi(argv[1]) : 114;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "job_page_bench\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    platform::Os& os = platform::native_os();
    session::create_working_folders(os, {folder});
    // Blocks of Files input jobs, as a long queue holds them.
    commands::JobList lines;
    size_t bytes = 0;
    for (int i = 0; bytes < static_cast<size_t>(mb) * 1048576; ++i) {
        std::string n = std::to_string(i);
        for (std::string line :
             {std::string("@echo."), "@echo Input:\"C:\\clips\\take " + n + ".avs\"",
              "@echo Output:\"D:\\out\\take " + n + ".mp4\"",
              std::string("@echo Encode Mode:Automated Double Passes"),
              "@x264.exe --progress --no-psnr --no-ssim --cqm flat --scenecut 40 -I 250 -i 25 -t 1 "
              "--me hex --sar 1:1 --threads 1 -r 1 --nr 0 -f 0:0 -b 2 --direct \"spatial\" -w -p 1 "
              "--stats \"" +
                  folder + "stats\\take " + n + ".avs.stat\" -B 1000 -o nul \"C:\\clips\\take " +
                  n + ".avs\" 2>&1|runlog.exe \"" + folder + "log\\take " + n + ".avs.txt\"",
              "@x264.exe --progress --no-psnr --no-ssim --cqm flat --scenecut 40 -I 250 -i 25 -t 1 "
              "--me hex --sar 1:1 --threads 1 -r 1 --nr 0 -f 0:0 -b 2 --direct \"spatial\" -w -p 3 "
              "--stats \"" +
                  folder + "stats\\take " + n + ".avs.stat\" -B 1000 -o \"D:\\out\\take " + n +
                  ".mp4\" \"C:\\clips\\take " + n + ".avs\" 2>&1|runlog.exe \"" + folder +
                  "log\\take " + n + ".avs.txt\"",
              std::string("@echo+")}) {
            bytes += line.size() + 2;
            lines.push_back(line);
        }
    }
    os.write_file(folder + "quorbel.jobs", commands::job_list_file_text(lines));
    std::printf("job list: %zu lines, %.1f MB\n", lines.size(), bytes / 1048576.0);
    commands::JobList().swap(lines); // the window reads its own

    ui::Window window({os, platform::native_media_probe(), platform::native_processes(),
                       platform::native_tools()},
                      folder);
    double t0 = now_ms();
    window.create(nullptr);
    window.front_end().start();
    pump();
    double t1 = now_ms();
    window.select_page(4);
    pump();
    double t2 = now_ms();
    window.front_end().queue.selected = 1;
    window.front_end().on_event(ui::Ctl::disable, ui::Event::changed);
    pump();
    double t3 = now_ms();
    std::printf("start with the list: %8.0f ms\nopen the Job page:   %8.0f ms\n"
                "disable line 2:      %8.0f ms\npeak working set:    %8.0f MB\n",
                t1 - t0, t2 - t1, t3 - t2, peak_mb());
    DeleteFileA((folder + "quorbel.jobs").c_str());
    return 0;
}
