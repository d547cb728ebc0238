#include "frontend/ui/handlers.h"

#include <algorithm>
#include <utility>

#include "frontend/commands/batch_script.h"
#include "frontend/commands/job_check.h"
#include "frontend/commands/job_files.h"
#include "frontend/commands/job_sharing.h"
#include "frontend/commands/line_safety.h"
#include "frontend/commands/text_parts.h"
#include "frontend/settings/corrections.h"
#include "frontend/settings/encode_modes.h"
#include "frontend/settings/text_number.h"

namespace ui {

using settings::Settings;

namespace {

void show_field(FrontEnd& app, std::string Settings::*field) {
    app.show(settings::spec_of(field));
}

// The fields a picked input or an added job changes.
void show_job_fields(FrontEnd& app) {
    for (auto f : {&Settings::infile, &Settings::outfile, &Settings::statsname, &Settings::logname})
        show_field(app, f);
}

// A chosen file replaces the field; a cancelled dialog leaves it as it was.
bool take(FrontEnd& app, std::string Settings::*field, std::optional<std::string> chosen) {
    if (!chosen) return false;
    app.settings.*field = std::move(*chosen);
    show_field(app, field);
    return true;
}

// The job block of the fields as they stand is queued, and the job's names
// are emptied for the next one; or why the job is refused (see
// job_check.h), and the fields stay as they are.
std::optional<commands::Refusal> append_block(FrontEnd& app, commands::InputProbe& probe) {
    std::optional<commands::X264InUse> x264 = app.x264_in_use();
    commands::MadeJob job =
        commands::make_job(app.settings, probe, app.services.os, x264 ? &*x264 : nullptr);
    if (job.refusal) return job.refusal;
    app.queue.lines.insert(app.queue.lines.end(), job.lines.begin(), job.lines.end());
    session::clear_job_files(app.settings);
    return std::nullopt;
}

// The open-file dialogs start on "Other Media" when x264 opens the inputs
// itself (an .avs is then seldom the input).
int input_filter(const FrontEnd& app) {
    return settings::direct_input(app.settings) ? 2 : 1;
}

// Why a picked input cannot be taken, or nothing: a name that cannot reach
// the programs, or a file the x264 in use cannot read.
std::optional<std::string> input_problem(FrontEnd& app, const std::string& name) {
    if (std::optional<std::string> problem = commands::name_problem(name, app.services.os))
        return problem;
    std::optional<commands::X264InUse> x264 = app.x264_in_use();
    return commands::unreadable_input(app.settings, name, x264 ? &*x264 : nullptr);
}

// A picked input as "..." takes it: the input set, the other names derived
// into its own folder and a wrapper written when it needs one. A refused
// name is told and changes nothing; so does a wrapper that cannot be written.
void take_input(FrontEnd& app, const std::string& picked) {
    if (std::optional<std::string> problem = input_problem(app, picked)) {
        app.dialogs.message("quorbel", "\"" + picked + "\" " + *problem + ".");
        return;
    }
    Settings& s = app.settings;
    const std::string before = s.infile;
    s.infile = picked;
    if (std::optional<std::string> failure = commands::derive_job_files(
            s, commands::folder_part(s.infile), app.folder.job_folders(), app.services.os,
            commands::NamesInUse(app.queue.lines, app.services.os), app.output_extension())) {
        s.infile = before;
        app.dialogs.message("quorbel", *failure);
    }
    show_job_fields(app);
}

// Queues one job for each input as "Files input" does, with the outputs in
// `output_folder`, or each in its input's own folder when there is none.
// The refused ones are told in one message.
void queue_inputs(FrontEnd& app, const std::vector<std::string>& names,
                  const std::optional<std::string>& output_folder, const std::string& title) {
    size_t first = app.queue.lines.size();
    commands::InputProbe probe(app.services.probe, app.services.os);
    commands::NamesInUse used(app.queue.lines, app.services.os);
    std::string refused;
    for (const std::string& name : names) {
        app.settings.infile = name;
        size_t block = app.queue.lines.size();
        const std::string folder = output_folder ? *output_folder : commands::folder_part(name);
        if (std::optional<std::string> problem = input_problem(app, name))
            refused += "The job for \"" + name + "\" was not added: its input " + *problem + ".\n";
        else if (std::optional<std::string> failure =
                     commands::derive_job_files(app.settings, folder, app.folder.job_folders(),
                                                app.services.os, used, app.output_extension()))
            refused += "The job for \"" + name + "\" was not added: " + *failure + ".\n";
        else if (std::optional<commands::Refusal> refusal = append_block(app, probe))
            refused += commands::refusal_text(*refusal) + ".\n";
        used.add(app.queue.lines, block);
    }
    session::clear_job_files(app.settings);
    show_job_fields(app);
    app.jobs_changed(first);
    if (!refused.empty()) app.dialogs.message(title, refused);
}

// The configuration-name list filled anew from the "configs" folder; its
// text is emptied.
void refresh_configuration_names(FrontEnd& app) {
    app.view.set_items(Ctl::cfgname, session::configuration_names(app.services.os, app.folder));
    app.settings.cfgname.clear();
    show_field(app, &Settings::cfgname);
}

// Writes a batch file in the console's code page, which the command
// interpreter reads it in; a failure is told with the file's name and the
// reason.
bool write_script(FrontEnd& app, const std::string& path, const std::string& text) {
    for (size_t i = 0; i < app.queue.lines.size(); ++i) {
        if (!commands::piped_percent_problem(app.queue.lines[i])) continue;
        app.dialogs.message("quorbel", "Cannot write " + path + ": line " + std::to_string(i + 1) +
                                           " holds \"%\" where a piped line would expand it as a "
                                           "variable:\n" +
                                           app.queue.lines[i]);
        return false;
    }
    std::optional<std::string> console = app.services.os.ansi_to_console(text);
    if (!console) {
        app.dialogs.message("quorbel", "Cannot write " + path +
                                           ": a line holds characters that the console's code "
                                           "page cannot hold");
        return false;
    }
    if (app.services.os.write_file(path, *console)) return true;
    app.tell_write_failure(path);
    return false;
}

// A picked name that cannot reach the programs as picked is refused.
bool refused_name(FrontEnd& app, const std::string& name) {
    std::optional<std::string> problem = commands::name_problem(name, app.services.os);
    if (problem) app.dialogs.message("quorbel", "\"" + name + "\" " + *problem + ".");
    return problem.has_value();
}

} // namespace

void stats_file(FrontEnd& app, Ctl) {
    FileQuery q{"", app.settings.statsname, "Statsfile (*.stat)|*.stat"};
    take(app, &Settings::statsname,
         settings::mode_spec(app.settings.mode).opens_stats ? app.dialogs.open_file(q)
                                                            : app.dialogs.save_file(q));
}

void log_file(FrontEnd& app, Ctl) {
    take(app, &Settings::logname,
         app.dialogs.save_file({"", app.settings.logname, "Log file (*.txt)|*.txt"}));
}

void input_file(FrontEnd& app, Ctl) {
    std::optional<std::string> picked =
        app.dialogs.open_file({"", "", "AVS(*.avs)|*.AVS|Other Media|*.*", input_filter(app)});
    if (!picked) return;
    if (picked->empty()) { // the spec'd empty result: the field emptied, nothing derived
        app.settings.infile.clear();
        show_field(app, &Settings::infile);
        return;
    }
    take_input(app, *picked);
}

void output_file(FrontEnd& app, Ctl) {
    std::optional<std::string> picked =
        app.dialogs.save_file({"", "", "MP4(*.mp4)|*.MP4|MKV(*.mkv)|*.MKV|RAW(*.264)|*.264"});
    if (picked && refused_name(app, *picked)) return;
    if (!take(app, &Settings::outfile, picked)) return;
    std::string& out = app.settings.outfile;
    if (!out.empty() && !commands::has_extension_dot(out)) out += ".mp4";
    show_field(app, &Settings::outfile);
}

void files_input(FrontEnd& app, Ctl) {
    std::optional<std::string> folder =
        app.dialogs.choose_folder("Select a folder for output", app.folder.path);
    if (!folder) return;
    std::vector<std::string> names = app.dialogs.open_files(
        {"Select some files", "", "AVS(*.AVS)|*.avs|Other Media|*.*", input_filter(app)});
    if (names.empty()) return; // cancelled: no job, not even its two marker lines
    queue_inputs(app, names, folder, "Files input");
}

void refresh(FrontEnd& app, Ctl) {
    app.show_lists(session::configuration_names(app.services.os, app.folder),
                   session::include_names(app.services.os, app.folder));
}

void save_config(FrontEnd& app, Ctl) {
    if (app.dialogs.ask_yes_no("Save", "Are you sure?") && !app.settings.cfgname.empty()) {
        std::string path = app.folder.configuration_file(app.settings.cfgname);
        if (!session::save_settings(app.settings, path, app.services.os))
            app.tell_write_failure(path);
    }
    refresh_configuration_names(app);
}

// "L" and "Load Default" load an encode: the settings of the tools in use stay.
void load_config(FrontEnd& app, Ctl) {
    std::string path = app.folder.configuration_file(app.settings.cfgname);
    if (!app.services.os.file_exists(path)) return;
    // A file without one setting counts as absent: nothing is loaded, and it
    // is set aside, so the list no longer offers it.
    session::Loaded load = session::load_settings(app.settings, path, app.settings_folder(),
                                                  {/*keep_toolchain=*/true,
                                                   /*defaults_when_absent=*/false});
    if (load.result == session::LoadResult::file) app.loaded();
    if (!load.set_aside_as) return;
    app.dialogs.message("L", session::held_no_settings(path, *load.set_aside_as) +
                                 " Nothing was loaded.");
    refresh_configuration_names(app);
}

void load_default(FrontEnd& app, Ctl) {
    session::load_builtin_defaults(app.settings, app.settings_folder(), {true, true});
    app.loaded();
}

void add(FrontEnd& app, Ctl) {
    size_t first = app.queue.lines.size();
    commands::InputProbe probe(app.services.probe, app.services.os);
    if (std::optional<commands::Refusal> refusal = append_block(app, probe)) {
        app.dialogs.message("Add", commands::refusal_text(*refusal) + ".");
        return;
    }
    show_job_fields(app);
    app.jobs_changed(first);
}

void clear(FrontEnd& app, Ctl) { // quorbel.jobs is emptied too
    app.queue.lines.clear();
    app.queue.selected = no_selection;
    app.jobs_changed(0);
}

void job_selected(FrontEnd& app, Ctl) {
    app.queue.selected = settings::integer_value(app.event.text);
}

void view_line(FrontEnd& app, Ctl) {
    if (app.queue.has_selection())
        app.dialogs.message("The command line parameter is:", app.queue.lines[app.queue.selected]);
}

void edit_line(FrontEnd& app, Ctl) {
    if (!app.queue.has_selection()) return;
    size_t at = static_cast<size_t>(app.queue.selected);
    std::optional<std::string> text =
        app.dialogs.input_text("Edit", "For expert only!", app.queue.lines[at]);
    if (text) app.queue.lines[at] = *text; // cancelled: the line stays as it was
    app.queue.selected = no_selection;
    app.jobs_changed(at);
}

// "up" and "down" keep the moved line selected, so it can be moved on.
void line_up(FrontEnd& app, Ctl) {
    if (!app.queue.has_selection() || app.queue.selected == 0) return;
    size_t at = static_cast<size_t>(app.queue.selected);
    std::swap(app.queue.lines[at], app.queue.lines[at - 1]);
    app.queue.selected = static_cast<int>(at - 1);
    app.jobs_changed(at - 1);
}

void line_down(FrontEnd& app, Ctl) {
    if (!app.queue.has_selection() ||
        static_cast<size_t>(app.queue.selected) + 1 >= app.queue.lines.size())
        return;
    size_t at = static_cast<size_t>(app.queue.selected);
    std::swap(app.queue.lines[at], app.queue.lines[at + 1]);
    app.queue.selected = static_cast<int>(at + 1);
    app.jobs_changed(at);
}

void disable_line(FrontEnd& app, Ctl) {
    if (!app.queue.has_selection()) return;
    toggle_disabled(app.queue.lines[app.queue.selected]);
    app.jobs_changed(static_cast<size_t>(app.queue.selected));
}

void delete_line(FrontEnd& app, Ctl) {
    if (!app.queue.has_selection()) return;
    app.jobs_changed(delete_block(app.queue.lines, app.queue.selected));
}

void make_bat(FrontEnd& app, Ctl) {
    std::optional<std::string> chosen = app.dialogs.save_file({"", "", "Batch File|*.BAT"});
    if (!chosen || chosen->empty()) return;
    std::string path = commands::batch_file_name(*chosen);
    write_script(app, path, commands::saved_batch_text(app.folder.path, app.queue.lines));
}

void start(FrontEnd& app, Ctl) {
    // What the queue asks of the programs that they cannot do, or programs
    // that are not there: asked once, all of it.
    const std::optional<FoundX264>& x264 = app.current_x264();
    const std::vector<std::string> folders = {app.folder.path, app.folder.path + "tools\\"};
    bool ffmpeg = app.services.tools.find_program("ffmpeg.exe", folders).has_value();
    // An x264.exe that is there but names no build is not a missing one.
    std::string unknown_x264 =
        x264 ? "" : app.services.tools.find_program("x264.exe", folders).value_or("");
    std::string concerns =
        missing_program_in_queue(app.queue.lines, x264.has_value(), ffmpeg, unknown_x264);
    if (x264) {
        std::string refused = refused_in_queue(app.queue.lines, *x264);
        if (!refused.empty()) concerns += (concerns.empty() ? "" : "\n") + refused;
    }
    if (!concerns.empty() && !app.dialogs.ask_yes_no("Start", concerns + "\n\nStart anyway?"))
        return;
    size_t at_once = app.jobs_at_once();
    if (at_once > 1) {
        std::vector<std::string> outside = commands::lines_outside_jobs(app.queue.lines);
        if (!outside.empty()) {
            if (!app.dialogs.ask_yes_no(
                    "Start", "The list has lines outside its jobs, such as\n" + outside.front() +
                                 "\nScripts that run at once cannot keep their place in the "
                                 "order. Start one script that runs the whole list?"))
                return;
            at_once = 1;
        }
    }
    // Jobs that a running script runs, or that write what it writes, wait.
    commands::SharedJobs shared = commands::share_jobs(
        app.queue.lines, at_once, app.scripts.files_written(), app.services.os, app.folder.path);
    if (shared.scripts.empty()) {
        app.dialogs.message("Start", "Every job of the list is running or done: nothing to start.");
        return;
    }
    app.save_settings_file(); // a failure is told; the jobs start all the same
    // Each start writes a script of its own, so a script still running is
    // never rewritten under it: "temp.bat", else "temp2.bat", "temp3.bat", ...
    size_t n = 1;
    for (const commands::JobList& lines : shared.scripts) {
        std::string name = commands::started_script_name(n);
        while (app.services.os.file_exists(app.folder.path + name))
            name = commands::started_script_name(++n);
        ++n;
        std::string path = app.folder.path + name;
        if (!write_script(app, path, commands::started_batch_text(app.folder.path, lines, name)))
            return;
        if (std::optional<uint32_t> pid =
                app.services.processes.start_script(path, app.folder.path)) {
            app.watch(*pid, name, lines);
        } else {
            app.services.processes.shell_open(path, app.folder.path);
        }
    }
}

void shut(FrontEnd& app, Ctl) {
    app.queue.lines.push_back("shutdown.exe -s -f -t 30");
    app.jobs_changed(app.queue.lines.size() - 1);
}

void files_dropped(FrontEnd& app, const std::vector<std::string>& paths) {
    platform::Os& os = app.services.os;
    // A folder stands for the files in it (not those of its folders).
    std::vector<std::string> files;
    for (const std::string& path : paths) {
        if (os.file_info(path)) {
            files.push_back(path);
            continue;
        }
        if (!os.file_exists(path)) continue;
        std::string folder = path;
        if (folder.back() != '\\' && folder.back() != '/') folder += '\\';
        std::vector<std::string> inside = os.list_folder(folder + "*");
        std::sort(inside.begin(), inside.end());
        for (const std::string& name : inside) files.push_back(folder + name);
    }
    if (files.empty()) return;
    bool one_file = paths.size() == 1 && files.size() == 1 && files[0] == paths[0];
    if (one_file)
        take_input(app, files[0]);
    else
        queue_inputs(app, files, std::nullopt, "Drop");
}

} // namespace ui
