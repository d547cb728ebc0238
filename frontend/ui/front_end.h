// The window's logic, free of any platform: the one live Settings, the job
// list, start-up after the window is built, the dispatch of control events to
// their handlers, and the event variable that ends the loop. The Win32 layer
// builds the controls, forwards their events here and applies what the
// logic decides through ControlView.
#pragma once

#include <string>

#include "frontend/commands/job_list.h"
#include "frontend/settings/settings.h"
#include "frontend/ui/control_view.h"
#include "platform/media_probe.h"
#include "platform/os.h"

namespace ui {

// What a control reports, as far as the handlers tell kinds apart.
enum class Event {
    none,
    changed,       // text typed or set, box clicked, item chosen, slider moved
    focus_lost,    // the control lost the input focus
    close_request, // the window is to close: its close box, Alt+F4 or "Cancel"
};

struct FrontEnd {
    FrontEnd(platform::Os& os, platform::MediaProbe& probe, ControlView& view,
             std::string program_folder);

    // Start-up once the window and its controls exist: lists and start
    // states, the configuration-name and include lists, the settings file.
    void start();
    // A control reported an event: its bound field takes what the control
    // holds, then the control's handlers run.
    void on_event(Ctl id, Event event);
    // The window's close box.
    void close_box() { event = Event::close_request; }
    bool closing() const { return event == Event::close_request; }
    // The end of the program: the settings file is written.
    bool shut_down();

    platform::Os& os;
    platform::MediaProbe& probe;
    ControlView& view;
    const std::string program_folder;
    settings::Settings settings;
    commands::JobList jobs;
    // The last event the loop received; a handler may overwrite it.
    Event event = Event::none;
};

// The controls disabled and hidden at start, before the settings are loaded.
extern const Ctl start_disabled[12];
extern const Ctl start_hidden[3];

} // namespace ui
