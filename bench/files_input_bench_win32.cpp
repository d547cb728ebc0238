// "Files input" with many names through the real window: the folder and
// file dialogs are answered here, everything else (the job blocks, the list
// box) is the window's own. Prints the time for 1,000 and 4,000 names.
#include <windows.h>

#include <cstdio>
#include <string>

#include "frontend/session/session.h"
#include "frontend/ui/window.h"

namespace {

struct Answers final : ui::Dialogs {
    std::string folder;
    std::vector<std::string> names;
    std::optional<std::string> open_file(const ui::FileQuery&) override { return std::nullopt; }
    std::optional<std::string> save_file(const ui::FileQuery&) override { return std::nullopt; }
    std::vector<std::string> open_files(const ui::FileQuery&) override { return names; }
    std::optional<std::string> choose_folder(const std::string&, const std::string&) override {
        return folder;
    }
    void message(const std::string&, const std::string&) override {}
    bool ask_yes_no(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> input_text(const std::string&, const std::string&,
                                          const std::string&) override {
        return std::nullopt;
    }
};

double milliseconds(LARGE_INTEGER a, LARGE_INTEGER b) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return 1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

} // namespace

int main() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "files_input_bench\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    platform::Os& os = platform::native_os();
    session::create_working_folders(os, {folder});
    std::printf("%8s %12s %14s\n", "names", "ms", "ms per 1,000");
    for (int count : {1000, 4000}) {
        Answers answers;
        answers.folder = folder + "out\\";
        for (int i = 0; i < count; ++i)
            answers.names.push_back("C:\\clips\\clip" + std::to_string(i) + ".avs");
        ui::Window window({os, platform::native_media_probe(), platform::native_processes(),
                           platform::native_tools()},
                          folder, &answers);
        window.create(nullptr);
        window.front_end().start();
        LARGE_INTEGER t0, t1;
        QueryPerformanceCounter(&t0);
        window.front_end().on_event(ui::Ctl::files_input, ui::Event::changed);
        QueryPerformanceCounter(&t1);
        size_t lines = window.front_end().queue.lines.size();
        double ms = milliseconds(t0, t1);
        std::printf("%8d %12.1f %14.1f   (%zu lines)\n", count, ms, ms * 1000 / count, lines);
    }
    return 0;
}
