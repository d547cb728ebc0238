// Where the window's start goes: the program's start-up run in-process with
// its file layer and its outside programs traced, each call timed, the
// clock the program reads held fixed so that every run does the same. Run
// in a fresh program folder (first start) and again (later starts); prints
// the time of each step and of the calls of each kind.
//   start_trace [x264.exe to put beside the program]
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <map>
#include <string>

#include "frontend/session/session.h"
#include "frontend/ui/window.h"

namespace {

LARGE_INTEGER frequency() {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
}

double now_ms() {
    static const LARGE_INTEGER f = frequency();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

struct Totals {
    std::map<std::string, std::pair<int, double>> by_kind; // calls, ms
    void add(const std::string& kind, double ms) {
        auto& t = by_kind[kind];
        ++t.first;
        t.second += ms;
    }
};

// Times a call and books it under its kind.
template <typename F> auto timed(Totals& totals, const char* kind, F f) {
    double t0 = now_ms();
    auto result = f();
    totals.add(kind, now_ms() - t0);
    return result;
}

class TracedOs final : public platform::Os {
  public:
    explicit TracedOs(Totals& t) : t_(t) {}
    platform::Os& real = platform::native_os();
    std::string program_folder() override { return real.program_folder(); }
    bool create_folder(const std::string& p) override {
        return timed(t_, "folder made", [&] { return real.create_folder(p); });
    }
    std::vector<std::string> list_folder(const std::string& p) override {
        return timed(t_, "folder listed", [&] { return real.list_folder(p); });
    }
    std::optional<std::string> read_file(const std::string& p) override {
        return timed(t_, "file read", [&] { return real.read_file(p); });
    }
    std::optional<std::string> read_part(const std::string& p, int64_t offset,
                                         size_t size) override {
        return timed(t_, "file read", [&] { return real.read_part(p, offset, size); });
    }
    bool rename_new(const std::string& a, const std::string& b) override {
        return timed(t_, "file renamed", [&] { return real.rename_new(a, b); });
    }
    bool delete_file(const std::string& p) override {
        return timed(t_, "file deleted", [&] { return real.delete_file(p); });
    }
    bool file_exists(const std::string& p) override {
        return timed(t_, "file looked at", [&] { return real.file_exists(p); });
    }
    std::optional<platform::FileInfo> file_info(const std::string& p) override {
        return timed(t_, "file looked at", [&] { return real.file_info(p); });
    }
    int64_t now() override { return 1'800'000'000; } // fixed
    std::string utf8_to_ansi(std::string_view s) override { return real.utf8_to_ansi(s); }
    std::vector<uint32_t> ansi_lacks(std::string_view s) override { return real.ansi_lacks(s); }
    std::optional<std::string> ansi_to_console(std::string_view s) override {
        return real.ansi_to_console(s);
    }
    std::string case_key(std::string_view s) override { return real.case_key(s); }
    std::string final_path(std::string_view s) override { return real.final_path(s); }
    size_t longest_path() override { return real.longest_path(); }
    bool process_exists(uint32_t pid) override {
        return timed(t_, "process looked at", [&] { return real.process_exists(pid); });
    }
    unsigned processors() override { return real.processors(); }
    std::string last_error() override { return real.last_error(); }
    std::optional<TempFile> create_temp(const std::string& target) override {
        return timed(t_, "file written (open)", [&] { return real.create_temp(target); });
    }
    bool write_temp(TempFile& f, std::string_view b) override {
        return timed(t_, "file written (bytes)", [&] { return real.write_temp(f, b); });
    }
    bool commit_temp(TempFile& f, const std::string& target, bool replace) override {
        return timed(t_, "file written (flush, rename)",
                     [&] { return real.commit_temp(f, target, replace); });
    }
    void discard_temp(TempFile& f) override { real.discard_temp(f); }

  private:
    Totals& t_;
};

class TracedTools final : public platform::Tools {
  public:
    explicit TracedTools(Totals& t) : t_(t) {}
    platform::Tools& real = platform::native_tools();
    std::optional<std::string> find_program(const std::string& name,
                                            const std::vector<std::string>& folders) override {
        return timed(t_, "program looked up", [&] { return real.find_program(name, folders); });
    }
    std::optional<std::string> output_of(const std::string& program,
                                         const std::string& arguments) override {
        return timed(t_, "program run (x264 --version)",
                     [&] { return real.output_of(program, arguments); });
    }
    bool avisynth_installed() override {
        return timed(t_, "AviSynth looked up", [&] { return real.avisynth_installed(); });
    }

  private:
    Totals& t_;
};

// Answers every question with No, so nothing waits for a user.
struct NoAnswers final : ui::Dialogs {
    std::optional<std::string> open_file(const ui::FileQuery&) override { return {}; }
    std::optional<std::string> save_file(const ui::FileQuery&) override { return {}; }
    std::vector<std::string> open_files(const ui::FileQuery&) override { return {}; }
    std::optional<std::string> choose_folder(const std::string&, const std::string&) override {
        return {};
    }
    void message(const std::string&, const std::string&) override {}
    bool ask_yes_no(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> input_text(const std::string&, const std::string&,
                                          const std::string&) override {
        return {};
    }
};

void run(const std::string& folder, const char* label) {
    Totals totals;
    TracedOs os(totals);
    TracedTools tools(totals);
    NoAnswers answers;
    std::map<std::string, double> steps;
    double t0 = now_ms();
    session::create_working_folders(os, {folder});
    double t1 = now_ms();
    ui::Window window({os, platform::native_media_probe(), platform::native_processes(), tools},
                      folder, &answers);
    window.create(nullptr);
    double t2 = now_ms();
    window.front_end().start();
    double t3 = now_ms();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg); // the first paint
    double t4 = now_ms();
    std::printf("== %s\n%-34s %8.1f ms\n%-34s %8.1f ms\n%-34s %8.1f ms\n%-34s %8.1f ms\n", label,
                "working folders", t1 - t0, "window and first page", t2 - t1, "start-up", t3 - t2,
                "first paint", t4 - t3);
    for (const auto& [kind, t] : totals.by_kind)
        std::printf("  %-32s %3d calls %8.1f ms\n", kind.c_str(), t.first, t.second);
    window.front_end().shut_down();
}

} // namespace

int main(int argc, char** argv) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "start_trace\\";
    std::string cleanup = "cmd /c rd /s /q \"" + folder + "\" 2>nul";
    std::system(cleanup.c_str());
    CreateDirectoryA(folder.c_str(), nullptr);
    if (argc > 1) CopyFileA(argv[1], (folder + "x264.exe").c_str(), FALSE);
    // The DLLs the window needs, as the program loads them before its first line.
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    run(folder, "first start in a fresh folder");
    run(folder, "a later start");
    return 0;
}
