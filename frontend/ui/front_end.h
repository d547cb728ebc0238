// The window's logic, free of any platform: the one live Settings, the job
// list, start-up after the window is built, the dispatch of control events to
// their handlers, and the event variable that ends the loop. The Win32 layer
// builds the controls, forwards their events here and applies what the
// logic decides through ControlView.
#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "frontend/commands/job_list.h"
#include "frontend/session/session.h"
#include "frontend/settings/settings.h"
#include "frontend/ui/control_view.h"
#include "frontend/ui/dialogs.h"
#include "frontend/ui/job_list_editing.h"
#include "frontend/ui/script_report.h"
#include "frontend/ui/toolchain_question.h"
#include "platform/media_probe.h"
#include "platform/os.h"
#include "platform/processes.h"
#include "platform/tools.h"

namespace ui {

// What a control reports, as far as the handlers tell kinds apart.
enum class Event {
    none,
    changed,       // text typed or set, box clicked, item chosen, slider moved
    focus_lost,    // the control lost the input focus
    close_request, // the window is to close: its close box, Alt+F4 or "Cancel"
};

// How often the running scripts are looked at.
constexpr int watch_interval_ms = 500;

// The system services the window's logic uses.
struct Services {
    platform::Os& os;
    platform::MediaProbe& probe;
    platform::Processes& processes;
    platform::Tools& tools;
};

struct FrontEnd {
    FrontEnd(Services services, ControlView& view, Dialogs& dialogs, std::string program_folder);

    // Start-up once the window and its controls exist: lists and start
    // states, the configuration-name and include lists (with an include
    // script of its own when there is none), the settings file, then the
    // x264 in use (see toolchain_question.h).
    void start();
    // A control reported an event: its bound field takes what the control
    // holds, then the control's handlers run.
    void on_event(Ctl id, Event event);
    // "Lines for current x264" in the window's system menu: switches the
    // dialect of the x264 lines between "classic" and "current".
    void toggle_x264_dialect();
    // "x264 opens the input itself" in the system menu: inputs reach x264
    // directly or through AviSynth wrappers.
    void toggle_x264_input();
    // The window's close box.
    void close_box() { event = Event::close_request; }
    bool closing() const { return event == Event::close_request; }
    // Writes quorbel.ini in the program's folder; a failure is told, with
    // the file's name and the system's reason, and false returned.
    bool save_settings_file();
    // The end of the program: the settings file is written.
    bool shut_down() { return save_settings_file(); }
    // A timer has run out: the oldest started script still waiting is set
    // to the idle priority class, or the running scripts are looked at and
    // each one that has ended is reported.
    void on_timer(Timer timer);
    // The start-up question about the x264 in use.
    void check_toolchain();
    // Start-up's settings file and job list; damaged files are set aside
    // and the user is told.
    void load_settings_file();
    // A load in the program's folder, with the include list as shown.
    session::SettingsFolder settings_folder();
    // The configuration-name list (its text emptied) and the include list
    // (a choice made when there is none).
    void show_lists(const std::vector<std::string>& configurations,
                    const std::vector<std::string>& includes);
    // After a load: every field and rule shown, and "custom..." in `cqm`
    // asks for its matrix file.
    void loaded();
    // "Select a matrix file" when `cqm` is "custom...": the chosen file in
    // double quotes, or "flat" when cancelled.
    void ask_matrix_file();
    void load_job_list();
    // The title tells how many started scripts still run.
    void show_running_count();

    // The job list has changed from line `first` on: it is shown anew, with
    // the selection, and kept in quorbel.jobs.
    void jobs_changed(size_t first);
    // "Start" has started a script: it is watched until it ends.
    void watch(uint32_t pid, const std::string& script);
    // A file could not be written: says so, naming it with the system's reason.
    void tell_write_failure(const std::string& path);

    platform::Os& os;
    platform::MediaProbe& probe;
    platform::Processes& processes;
    platform::Tools& tools;
    ControlView& view;
    Dialogs& dialogs;
    const session::ProgramFolder folder;
    // The items of the AviSynth include list, as the window shows them.
    std::vector<std::string> includes;
    settings::Settings settings;
    commands::JobList jobs;
    int selected = no_selection; // the selected line of the job list
    // Process IDs of started scripts whose priority is lowered when their
    // timers run out, oldest first.
    std::deque<uint32_t> waiting_scripts;
    // Started scripts that have not ended yet, and the jobs each runs.
    struct StartedScript {
        uint32_t pid;
        std::string name;
        int64_t started; // Os::now() at the start
        std::vector<WatchedJob> jobs;
    };
    std::vector<StartedScript> running_scripts;
    // quorbel.jobs could not be written at the last change (told once).
    bool job_file_failing = false;
    // The last event the loop received; a handler may overwrite it.
    Event event = Event::none;
    // The x264 the scripts will call, as found at start-up.
    std::optional<FoundX264> x264;
};

} // namespace ui
