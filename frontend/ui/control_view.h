// What the window's logic needs from its controls: enable, show and caption
// them, fill their lists, and show the values of the fields they are bound
// to. What the user leaves in a control comes with its events (FrontEnd::
// on_event). Questions to the user go through Dialogs. The window implements
// it over Win32; tests record it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "frontend/commands/job_list.h"
#include "frontend/settings/settings.h"
#include "frontend/ui/control_ids.h"

namespace ui {

// The window's timers: the lowering of a started script's priority, and the
// look at the scripts that still run.
enum class Timer { lower_priority, watch_scripts };

class ControlView {
  public:
    virtual ~ControlView() = default;
    virtual void enable(Ctl control, bool enabled) = 0;
    virtual void show(Ctl control, bool shown) = 0;
    virtual void set_caption(Ctl control, const std::string& text) = 0;
    // Replaces the items of a list; it is left without a choice.
    virtual void set_items(Ctl control, const std::vector<std::string>& items) = 0;
    // The job list shows the lines from `first` on anew (those before are
    // unchanged) and selects line `selected` (-1: none). The view draws the
    // lines it shows from `jobs`, which the caller keeps, until the next call.
    virtual void show_jobs(const commands::JobList& jobs, size_t first, int selected) = 0;
    // Calls the window's logic back (FrontEnd::on_timer) once, after `ms`
    // milliseconds.
    virtual void start_timer(Timer timer, int ms) = 0;
    // The window's title.
    virtual void set_title(const std::string& text) = 0;
    // The fraction of the running queue that is done, on the window's
    // taskbar button (nothing: no progress shown).
    virtual void set_progress(std::optional<double> fraction) = 0;
    // The field's control shows `text`, the field's value as a settings file
    // writes it (for the toolchain's fields, the system menu's check marks).
    virtual void show_field(const settings::FieldSpec& field, const std::string& text) = 0;
};

} // namespace ui
