// The window's logic over a recording view, dialogs answered from a script
// and a process seam that records what "Start" asks of the system.
#pragma once

#include <deque>
#include <set>

#include "frontend/ui/front_end.h"
#include "test_support.h"

namespace test {

class ScriptedDialogs final : public ui::Dialogs {
  public:
    // Answers in order; a missing answer cancels.
    std::deque<std::optional<std::string>> files;
    std::vector<std::string> multi;
    std::optional<std::string> folder;
    bool yes = true;
    std::deque<std::optional<std::string>> inputs;
    // What was asked: "open|title|default|filters", "save|...", "multi|...",
    // "folder|prompt|start", "message|title|text", "yesno|title|text",
    // "input|title|prompt|initial".
    std::vector<std::string> asked;

    std::optional<std::string> open_file(const ui::FileQuery& q) override {
        return file("open", q);
    }
    std::optional<std::string> save_file(const ui::FileQuery& q) override {
        return file("save", q);
    }
    std::vector<std::string> open_files(const ui::FileQuery& q) override {
        asked.push_back("multi|" + q.title + "|" + q.default_file + "|" + q.filters + shown(q));
        return multi;
    }
    std::optional<std::string> choose_folder(const std::string& prompt,
                                             const std::string& start) override {
        asked.push_back("folder|" + prompt + "|" + start);
        return folder;
    }
    void message(const std::string& title, const std::string& text) override {
        asked.push_back("message|" + title + "|" + text);
    }
    bool ask_yes_no(const std::string& title, const std::string& text) override {
        asked.push_back("yesno|" + title + "|" + text);
        return yes;
    }
    std::optional<std::string> input_text(const std::string& title, const std::string& prompt,
                                          const std::string& initial) override {
        asked.push_back("input|" + title + "|" + prompt + "|" + initial);
        return next(inputs);
    }

  private:
    std::optional<std::string> file(const char* kind, const ui::FileQuery& q) {
        asked.push_back(std::string(kind) + "|" + q.title + "|" + q.default_file + "|" + q.filters +
                        shown(q));
        return next(files);
    }
    // The filter shown first, when it is not the first: "|@2".
    static std::string shown(const ui::FileQuery& q) {
        return q.first_filter == 1 ? "" : "|@" + std::to_string(q.first_filter);
    }
    static std::optional<std::string> next(std::deque<std::optional<std::string>>& answers) {
        if (answers.empty()) return std::nullopt;
        std::optional<std::string> a = answers.front();
        answers.pop_front();
        return a;
    }
};

// Records the calls in order: "start <script> in <folder>" (a script starts
// in the idle class), "shell <script>", "idle <pid>".
class RecordingProcesses final : public platform::Processes {
  public:
    bool can_start = true;
    uint32_t next_pid = 4242;
    std::vector<std::string> calls;

    std::optional<uint32_t> start_script(const std::string& script,
                                         const std::string& folder) override {
        calls.push_back("start " + script + " in " + folder);
        if (!can_start) return std::nullopt;
        return next_pid++;
    }
    bool shell_open(const std::string& script, const std::string&) override {
        calls.push_back("shell " + script);
        return true;
    }
    bool set_idle_priority(uint32_t pid) override {
        calls.push_back("idle " + std::to_string(pid));
        return true;
    }
    std::set<uint32_t> ended; // scripts that have ended
    bool has_ended(uint32_t pid) override { return ended.count(pid) > 0; }
    std::map<uint32_t, std::string> titles; // the scripts' consoles
    std::optional<std::string> console_title(uint32_t pid) override {
        auto it = titles.find(pid);
        if (it == titles.end()) return std::nullopt;
        return it->second;
    }
    std::map<uint32_t, int64_t> alive; // processes of an earlier run that still run
    std::optional<int64_t> created(uint32_t pid) override {
        auto it = alive.find(pid);
        if (it == alive.end()) return std::nullopt;
        return it->second;
    }
    bool watch_again(uint32_t pid, int64_t when) override {
        auto it = alive.find(pid);
        if (it == alive.end() || it->second != when) return false;
        calls.push_back("watch " + std::to_string(pid));
        return true;
    }
};

struct NoProbe final : platform::MediaProbe {
    std::optional<platform::MediaLength> media_probe(const std::string&) override {
        return std::nullopt;
    }
};

struct FrontEndTest : ::testing::Test {
    TempFolder dir;
    RecordingView view;
    ScriptedDialogs dialogs;
    RecordingProcesses processes;
    NoProbe probe;
    // An x264.exe of the classic era on the search path and AviSynth
    // installed: the start asks nothing and tells nothing. Tests of the x264
    // in use set their own.
    FakeTools tools = classic_era_tools();
    static FakeTools classic_era_tools() {
        FakeTools t;
        t.programs["x264.exe"] = "x264 0.65.995 2a7fbd5\n";
        t.avisynth = true;
        return t;
    }
    TestOs os; // the platform's own, unless a test fails it
    ui::FrontEnd app{{os, probe, processes, tools}, view, dialogs, dir.path()};
    settings::Settings& s = app.settings;

    // A user's action: the control now holds `value` and reports `event`.
    void user(ui::Ctl id, ui::Event event, const std::string& value = "") {
        app.on_event(id, event, value);
    }
    void press(ui::Ctl id) { user(id, ui::Event::changed); }
    void select_line(int line) {
        user(ui::Ctl::job_list, ui::Event::changed, std::to_string(line));
    }
};

} // namespace test
