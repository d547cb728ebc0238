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
#include "frontend/settings/settings.h"
#include "frontend/ui/control_view.h"
#include "frontend/ui/dialogs.h"
#include "frontend/ui/job_list_editing.h"
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
    // Writes quorbel.ini in the program's folder; false when it cannot.
    bool save_settings_file();
    // The end of the program: the settings file is written.
    bool shut_down() { return save_settings_file(); }
    // A timer asked for by "Start" has run out: the oldest started script
    // still waiting is set to the idle priority class.
    void on_timer();
    // The start-up question about the x264 in use.
    void check_toolchain();

    // The job list shows the lines from `first` on anew, and the selection.
    void show_jobs(size_t first) { view.show_jobs(jobs, first, selected); }

    platform::Os& os;
    platform::MediaProbe& probe;
    platform::Processes& processes;
    platform::Tools& tools;
    ControlView& view;
    Dialogs& dialogs;
    const std::string program_folder;
    settings::Settings settings;
    commands::JobList jobs;
    int selected = no_selection; // the selected line of the job list
    // Process IDs of started scripts whose priority is lowered when their
    // timers run out, oldest first.
    std::deque<uint32_t> waiting_scripts;
    // The last event the loop received; a handler may overwrite it.
    Event event = Event::none;
    // The x264 the scripts will call, as found at start-up.
    std::optional<FoundX264> x264;
};

} // namespace ui
