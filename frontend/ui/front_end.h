// The window's logic, free of any platform: the one live Settings with their
// rules, the job queue, the watch over the scripts it started, start-up
// after the window is built, and the dispatch of control events to their
// handlers. The Win32 layer builds the controls, forwards their events here
// with the text they report, and applies what the logic decides through
// ControlView.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "frontend/commands/job_check.h"
#include "frontend/session/session.h"
#include "frontend/settings/settings.h"
#include "frontend/ui/control_view.h"
#include "frontend/ui/dialogs.h"
#include "frontend/ui/job_queue.h"
#include "frontend/ui/script_watch.h"
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

// The last event the loop received, with the text its control holds (as the
// text of the control's bound field); a handler may overwrite it.
struct ControlEvent {
    Event kind = Event::none;
    std::string text;
};

// The system services the window's logic uses.
struct Services {
    platform::Os& os;
    platform::MediaProbe& probe;
    platform::Processes& processes;
    platform::Tools& tools;
};

struct FrontEnd {
    FrontEnd(Services services, ControlView& view, Dialogs& dialogs, std::string program_folder);

    // Start-up once the window and its controls exist: what the first page
    // shows (show_start), then the rest (finish_start).
    void start();
    // The lists and start states, the session's start (include script,
    // lists) and the settings file: what the window shows first.
    void show_start();
    // What the first paint does not need, run once the window waits for
    // input (before any input is taken): the job list of the last run, the
    // scripts an earlier run left (resume_stopped_queue), then the x264 in
    // use (see toolchain_question.h), which runs x264.exe. Runs once; later
    // calls do nothing.
    void finish_start();
    // A control reported an event and the text it now holds: its bound
    // field takes the text, then the control's handlers run.
    void on_event(Ctl id, Event event, const std::string& text = "");
    // A timer has run out: the oldest started script still waiting is set
    // to the idle priority class, or the running scripts are looked at and
    // each one that has ended is reported.
    void on_timer(Timer timer);
    // "Lines for current x264" in the window's system menu: switches the
    // dialect of the x264 lines between "classic" and "current".
    void toggle_x264_dialect();
    // "x264 opens the input itself" in the system menu: inputs reach x264
    // directly or through AviSynth wrappers.
    void toggle_x264_input();
    // "Jobs at once" in the system menu: how many scripts "Start" runs at
    // once, from 1 to the number of processors.
    void set_jobs_at_once(int count);
    size_t jobs_at_once();
    // Files were dropped on the window (see handlers.h, files_dropped).
    void files_dropped(const std::vector<std::string>& paths);
    // The window's close box.
    void close_box() { event.kind = Event::close_request; }
    bool closing() const { return event.kind == Event::close_request; }
    // Writes quorbel.ini in the program's folder; a failure is told, with
    // the file's name and the system's reason, and false returned.
    bool save_settings_file();
    // The end of the program: the settings file is written.
    bool shut_down() { return save_settings_file(); }

    // Shows a field's value in its control.
    void show(const settings::FieldSpec& field);
    // After a load: every field and rule shown, and "custom..." in `cqm`
    // asks for its matrix file.
    void loaded();
    // "Select a matrix file" when `cqm` is "custom...": the chosen file in
    // double quotes, or "flat" when cancelled.
    void ask_matrix_file();
    // A load in the program's folder, with the include list as shown.
    session::SettingsFolder settings_folder();
    // The configuration-name list (its text emptied) and the include list
    // (a choice made when there is none).
    void show_lists(const std::vector<std::string>& configurations,
                    const std::vector<std::string>& includes);
    // The job list has changed from line `first` on: it is shown anew, with
    // the selection, and kept in quorbel.jobs.
    void jobs_changed(size_t first);
    // "Start" has started a script running the jobs of `lines`: its
    // priority is lowered soon, and it is watched until it ends.
    void watch(uint32_t pid, const std::string& script, const commands::JobList& lines);
    // A file could not be written: says so, naming it with the system's reason.
    void tell_write_failure(const std::string& path);
    // The x264 the scripts will call, looked for again when none was found.
    const std::optional<FoundX264>& current_x264();
    // The x264 in use as the checks of a new job need it; nothing when none
    // was found.
    std::optional<commands::X264InUse> x264_in_use() const {
        if (!x264) return std::nullopt;
        return commands::X264InUse{x264->build, x264->abilities};
    }
    // The extension derived outputs get: "mkv" for an x264 that writes no MP4.
    std::string output_extension() const { return session::derived_output_extension(x264); }

    Services services;
    ControlView& view;
    Dialogs& dialogs;
    const session::ProgramFolder folder;
    // The settings, and the items of the AviSynth include list as the window
    // shows them, which `avsinc` chooses from.
    settings::Settings settings;
    std::vector<std::string> includes;
    JobQueue queue;
    ScriptWatch scripts;
    ControlEvent event;
    // The x264 the scripts will call, as found at start-up.
    std::optional<FoundX264> x264;
    // The frames of inputs measured when their jobs were added, by input:
    // how much work a waiting job is.
    std::map<std::string, int64_t> measured_frames;

  private:
    bool finished_start_ = false;
    // The scripts an earlier run of the window started, as quorbel.running
    // records them: those that still run are watched again; for those that
    // have ended, each job that produced its file is marked done, and a
    // multi-pass job whose first pass had ended is marked to go on from its
    // next pass; the user is told once.
    void resume_stopped_queue();
    // quorbel.running as the scripts watched now make it.
    void keep_running_record();
    void load_settings_file();
    void load_job_list();
    void check_toolchain();
};

} // namespace ui
