// Helpers shared by the front end's tests.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <random>
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

// The outside programs as a test sets them: by default no x264.exe anywhere
// and no AviSynth.
class FakeTools final : public platform::Tools {
  public:
    std::map<std::string, std::string> programs; // path -> what it prints
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
    std::optional<std::string> output_of(const std::string& program, const std::string&) override {
        auto it = programs.find(program);
        if (it == programs.end()) return std::nullopt;
        return it->second;
    }
    bool avisynth_installed() override { return avisynth; }
};

// Remembers the last state each control was given, and answers questions
// with preset replies.
class RecordingView final : public ui::ControlView {
  public:
    std::map<ui::Ctl, bool> enabled, shown;
    std::map<ui::Ctl, std::string> captions;
    std::map<ui::Ctl, std::vector<std::string>> items;
    std::map<ui::Ctl, std::string> values; // what control_value answers
    commands::JobList job_lines;           // what the job list shows
    std::vector<size_t> job_first_changed;
    int job_selected = -1;
    std::vector<int> timers;
    std::vector<std::string> warnings;
    std::vector<std::string> includes;
    std::optional<std::string> matrix_reply;
    int matrix_questions = 0;

    void enable(ui::Ctl c, bool on) override { enabled[c] = on; }
    void show(ui::Ctl c, bool on) override { shown[c] = on; }
    void set_caption(ui::Ctl c, const std::string& text) override { captions[c] = text; }
    void set_items(ui::Ctl c, const std::vector<std::string>& list) override { items[c] = list; }
    std::string control_value(ui::Ctl c) override { return values[c]; }
    void show_jobs(const commands::JobList& jobs, size_t first, int selected) override {
        job_lines = jobs;
        job_first_changed.push_back(first);
        job_selected = selected;
    }
    void start_timer(int ms) override { timers.push_back(ms); }
    void field_changed(const settings::FieldSpec&) override {}
    std::optional<std::string> ask_matrix_file() override {
        ++matrix_questions;
        return matrix_reply;
    }
    void warn(const std::string& title, const std::string& text) override {
        warnings.push_back(title + "|" + text);
    }
    std::vector<std::string> include_items() override { return includes; }
};

} // namespace test
