// The actions behind the window's buttons and lists: files chosen in
// dialogs, named configurations, the job list, batch files and "Start".
// Each takes the window's logic and the control that raised the event.
#pragma once

#include "frontend/ui/front_end.h"

namespace ui {

void stats_file(FrontEnd& app, Ctl);  // statsfile "..."
void log_file(FrontEnd& app, Ctl);    // log "..."
void input_file(FrontEnd& app, Ctl);  // input "..."
void output_file(FrontEnd& app, Ctl); // output "..."
void files_input(FrontEnd& app, Ctl); // "Files input": a batch of inputs
void refresh(FrontEnd& app, Ctl);     // the configuration-name and include lists
void save_config(FrontEnd& app, Ctl); // "S"
void load_config(FrontEnd& app, Ctl); // "L"
void load_default(FrontEnd& app, Ctl);
void add(FrontEnd& app, Ctl);
void clear(FrontEnd& app, Ctl);
void job_selected(FrontEnd& app, Ctl); // the user selected a line
void view_line(FrontEnd& app, Ctl);
void edit_line(FrontEnd& app, Ctl);
void line_up(FrontEnd& app, Ctl);
void line_down(FrontEnd& app, Ctl);
void disable_line(FrontEnd& app, Ctl);
void delete_line(FrontEnd& app, Ctl); // "del": the block around the selection
void make_bat(FrontEnd& app, Ctl);
void start(FrontEnd& app, Ctl);
void shut(FrontEnd& app, Ctl);

// Files dropped on the window: one file is taken as a pick with the input
// "..." (its names derived); several, or a folder (its files), are queued as
// "Files input" queues them, each into its own folder.
void files_dropped(FrontEnd& app, const std::vector<std::string>& paths);

// How long after "Start" the script's process is set to the idle class;
// the script itself waits 1000 ms before its first job.
constexpr int idle_delay_ms = 600;

} // namespace ui
