// Helpers shared by the front end's tests.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "frontend/ui/control_view.h"
#include "platform/os.h"
#include "platform/tools.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace test {

// Runs a command line through the system's shell; its exit code.
inline int shell(const std::string& command) {
#ifdef _WIN32
    return std::system(("\"" + command + "\"").c_str()); // cmd /c drops one pair of quotes
#else
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

// Lines of a file as written: CR LF after each.
inline std::string crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines) text += l + "\r\n";
    return text;
}

// A file's bytes through the platform's file layer, or "<missing>".
inline std::string read(const std::string& path) {
    return platform::native_os().read_file(path).value_or("<missing>");
}

// A fresh folder under the system's temporary folder, removed afterwards.
// path() ends in the platform's separator, like the program's folder.
class TempFolder {
  public:
    TempFolder() {
        std::random_device rd;
        dir_ = std::filesystem::temp_directory_path() /
               ("qtest-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(dir_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    std::string path() const { return (dir_ / "").string(); }
    std::string file(const std::string& name) const { return (dir_ / name).string(); }

  private:
    std::filesystem::path dir_;
};

// The platform's own file layer with a test's hand on it: it counts the
// whole-file writes to each file, fails those of chosen files at a chosen
// step (as a full disk, a read-only folder or a killed process would), and
// can stop the clock.
class TestOs final : public platform::Os {
  public:
    enum class Step { none, open, mid_write, replace };
    Step fail_at = Step::none;
    std::vector<std::string> failing;  // path endings whose writes fail; empty: all
    std::map<std::string, int> writes; // whole-file writes begun, by path
    std::optional<int64_t> clock;
    platform::Os& real = platform::native_os();

    std::string program_folder() override { return real.program_folder(); }
    bool create_folder(const std::string& p) override { return real.create_folder(p); }
    std::vector<std::string> list_folder(const std::string& p) override {
        return real.list_folder(p);
    }
    std::optional<std::string> read_file(const std::string& p) override {
        return real.read_file(p);
    }
    std::optional<std::string> read_part(const std::string& p, int64_t offset,
                                         size_t size) override {
        return real.read_part(p, offset, size);
    }
    bool rename_new(const std::string& a, const std::string& b) override {
        return real.rename_new(a, b);
    }
    bool delete_file(const std::string& p) override { return real.delete_file(p); }
    bool file_exists(const std::string& p) override { return real.file_exists(p); }
    std::optional<platform::FileInfo> file_info(const std::string& p) override {
        return real.file_info(p);
    }
    int64_t now() override { return clock ? *clock : real.now(); }
    std::string utf8_to_ansi(std::string_view t) override { return real.utf8_to_ansi(t); }
    std::vector<uint32_t> ansi_lacks(std::string_view t) override { return real.ansi_lacks(t); }
    std::string console_lacks; // characters a console code page would lack
    std::optional<std::string> ansi_to_console(std::string_view t) override {
        if (t.find_first_of(console_lacks) != std::string_view::npos) return std::nullopt;
        return real.ansi_to_console(t);
    }
    std::string case_key(std::string_view t) override { return real.case_key(t); }
    std::string final_path(std::string_view t) override { return real.final_path(t); }
    size_t longest_path() override { return real.longest_path(); }
    std::optional<unsigned> cpus; // the machine's own unless set
    unsigned processors() override { return cpus ? *cpus : real.processors(); }
    std::set<uint32_t> gone; // processes that a test has ended
    bool process_exists(uint32_t pid) override {
        return !gone.count(pid) && real.process_exists(pid);
    }
    std::string last_error() override { return injected_ ? "the disk is full" : real.last_error(); }
    std::optional<TempFile> create_temp(const std::string& target) override {
        ++writes[target];
        target_ = target;
        injected_ = fails(Step::open);
        if (injected_) return std::nullopt;
        return real.create_temp(target);
    }
    bool write_temp(TempFile& file, std::string_view bytes) override {
        injected_ = fails(Step::mid_write);
        if (!injected_) return real.write_temp(file, bytes);
        real.write_temp(file, bytes.substr(0, bytes.size() / 2)); // half fits
        return false;
    }
    bool commit_temp(TempFile& file, const std::string& target, bool replace) override {
        injected_ = fails(Step::replace);
        if (!injected_) return real.commit_temp(file, target, replace);
        return false; // written, but the new name is never taken
    }
    void discard_temp(TempFile& file) override { real.discard_temp(file); }

  private:
    bool fails(Step step) const {
        if (fail_at != step) return false;
        if (failing.empty()) return true;
        for (const std::string& end : failing)
            if (target_.size() >= end.size() &&
                target_.compare(target_.size() - end.size(), end.size(), end) == 0)
                return true;
        return false;
    }
    std::string target_;
    bool injected_ = false;
};

// The outside programs as a test sets them: by default no x264.exe anywhere
// and no AviSynth.
class FakeTools final : public platform::Tools {
  public:
    std::map<std::string, std::string> programs; // path -> what it prints
    std::map<std::string, std::string> helps;    // path -> what it prints for --help
    bool avisynth = false;
    std::vector<std::string> looked_in;

    std::optional<std::string> find_program(const std::string& name,
                                            const std::vector<std::string>& folders) override {
        looked_in = folders;
        for (const std::string& folder : folders)
            if (programs.count(folder + name)) return folder + name;
        if (programs.count(name)) return name; // on the search path
        return std::nullopt;
    }
    std::optional<std::string> output_of(const std::string& program,
                                         const std::string& arguments) override {
        auto it = programs.find(program);
        if (it == programs.end()) return std::nullopt;
        if (arguments == "--help" && helps.count(program)) return helps[program];
        return it->second;
    }
    bool avisynth_installed() override { return avisynth; }
};

// Remembers the last state each control was given.
class RecordingView final : public ui::ControlView {
  public:
    std::map<ui::Ctl, bool> enabled, shown;
    std::map<ui::Ctl, std::string> captions;
    std::map<ui::Ctl, std::vector<std::string>> items;
    std::map<std::string, std::string> fields; // what each field's control shows, by key
    commands::JobList job_lines;               // what the job list shows
    std::vector<size_t> job_first_changed;
    int job_selected = -1;
    std::vector<int> timers;
    std::vector<ui::Timer> timer_kinds;
    std::string title = "quorbel";

    void enable(ui::Ctl c, bool on) override { enabled[c] = on; }
    void show(ui::Ctl c, bool on) override { shown[c] = on; }
    void set_caption(ui::Ctl c, const std::string& text) override { captions[c] = text; }
    void set_items(ui::Ctl c, const std::vector<std::string>& list) override { items[c] = list; }
    void show_jobs(const commands::JobList& jobs, size_t first, int selected) override {
        job_lines = jobs;
        job_first_changed.push_back(first);
        job_selected = selected;
    }
    void start_timer(ui::Timer timer, int ms) override {
        timers.push_back(ms);
        timer_kinds.push_back(timer);
    }
    void set_title(const std::string& text) override { title = text; }
    std::optional<double> progress;
    void set_progress(std::optional<double> fraction) override { progress = fraction; }
    std::vector<int> timers_of(ui::Timer kind) const {
        std::vector<int> of;
        for (size_t i = 0; i < timers.size(); ++i)
            if (timer_kinds[i] == kind) of.push_back(timers[i]);
        return of;
    }
    void show_field(const settings::FieldSpec& f, const std::string& text) override {
        fields[f.key] = text;
    }
};

} // namespace test
