#include "frontend/ui/front_end.h"

#include "frontend/commands/job_list_file.h"
#include "frontend/settings/choices.h"
#include "frontend/settings/corrections.h"

#include "frontend/ui/control_rules.h"
#include "frontend/ui/event_dispatch.h"
#include "frontend/ui/handlers.h"
#include "frontend/ui/layout.h"

namespace ui {

using settings::FieldSpec;
using FieldKind = settings::Kind;

namespace {

// The controls disabled and hidden at start, before the settings are loaded.
const Ctl start_disabled[12] = {Ctl::upstat, Ctl::stats_button, Ctl::statsname, Ctl::mxref,
                                Ctl::vbr,    Ctl::minqp,        Ctl::maxqp,     Ctl::qps,
                                Ctl::range,  Ctl::aub,          Ctl::aq1,       Ctl::aq2};
const Ctl start_hidden[3] = {Ctl::auto1pcrf, Ctl::crf_caption, Ctl::size_box};

} // namespace

FrontEnd::FrontEnd(Services services, ControlView& view, Dialogs& dialogs,
                   std::string program_folder)
    : os(services.os), probe(services.probe), processes(services.processes), tools(services.tools),
      view(view), dialogs(dialogs), folder{std::move(program_folder)} {}

namespace {

// Shows every field of one kind in its control.
void show_fields(ControlView& view, FieldKind kind) {
    for (const FieldSpec& f : settings::schema())
        if (f.kind == kind) view.field_changed(f);
}

} // namespace

void FrontEnd::start() {
    // The fixed lists with their start items, the ticks, the disabled
    // controls, the slider positions and the hidden controls, in this order.
    for (const ControlSpec& c : layout()) {
        std::vector<std::string> items = fixed_items(c);
        if (!items.empty()) view.set_items(c.id, items);
    }
    show_fields(view, FieldKind::index);
    view.field_changed(settings::spec_of(&settings::Settings::cqm));
    show_fields(view, FieldKind::flag);
    for (Ctl c : start_disabled) view.enable(c, false);
    show_fields(view, FieldKind::position);
    for (Ctl c : start_hidden) view.show(c, false);
    session::StartUp up = session::start_up(os, folder);
    show_lists(up.configurations, up.includes); // the first include script is chosen

    load_settings_file();
    load_job_list();
    check_toolchain();
}

session::SettingsFolder FrontEnd::settings_folder() {
    return session::settings_folder(os, folder, includes);
}

void FrontEnd::show_lists(const std::vector<std::string>& configurations,
                          const std::vector<std::string>& include_list) {
    view.set_items(Ctl::cfgname, configurations);
    settings.cfgname.clear();
    view.field_changed(settings::spec_of(&settings::Settings::cfgname));
    includes = include_list;
    view.set_items(Ctl::avsinc, includes);
    // The choice stays when it is still listed, else the first is chosen.
    settings::choose_include(settings, includes);
    view.field_changed(settings::spec_of(&settings::Settings::avsinc));
}

void FrontEnd::loaded() {
    show_loaded(settings, view);
    ask_matrix_file();
}

void FrontEnd::ask_matrix_file() {
    if (settings.cqm != "custom...") return;
    std::optional<std::string> chosen = dialogs.open_file({"Select a matrix file", "", "*.*|*.*"});
    show_changed(view, settings::take_matrix_file(settings, chosen));
}

void FrontEnd::load_settings_file() {
    std::string path = folder.settings_file();
    session::Loaded load = session::load_settings(settings, path, settings_folder());
    loaded();
    if (load.set_aside_as)
        dialogs.message("quorbel", session::held_no_settings(path, *load.set_aside_as) +
                                       " The built-in defaults are used.");
}

// The list of the last run, unless its file is damaged: then it is set aside
// and the list starts empty.
void FrontEnd::load_job_list() {
    std::string path = folder.job_list_file();
    if (!os.file_exists(path)) return;
    std::optional<std::string> bytes = os.read_file(path);
    std::optional<commands::JobList> lines =
        bytes ? commands::read_job_list_file(*bytes) : std::nullopt;
    if (lines) {
        jobs = std::move(*lines);
        view.show_jobs(jobs, 0, selected);
        return;
    }
    if (!bytes) {
        dialogs.message("quorbel", "Cannot read " + path + ": " + os.last_error() +
                                       ". The job list starts empty.");
        return;
    }
    std::string kept = os.set_aside(path).value_or(path);
    dialogs.message("quorbel", path + " is damaged and was not read; it is kept as " + kept +
                                   ". The job list starts empty.");
}

void FrontEnd::jobs_changed(size_t first) {
    view.show_jobs(jobs, first, selected);
    std::string path = folder.job_list_file();
    if (os.write_file(path, commands::job_list_file_text(jobs))) {
        job_file_failing = false;
    } else if (!job_file_failing) {
        job_file_failing = true; // told once, until a write works again
        tell_write_failure(path);
    }
}

void FrontEnd::tell_write_failure(const std::string& path) {
    dialogs.message("quorbel", "Cannot write " + path + ": " + os.last_error());
}

void FrontEnd::check_toolchain() {
    x264 = find_x264(tools, folder.path);
    if (!x264) return;
    // Asked once for each build seen, whatever the answer.
    std::string build = std::to_string(x264->build);
    if (settings.x264asked == build) return;
    ToolchainOffer offer = toolchain_offer(settings, *x264, tools.avisynth_installed());
    if (offer.question.empty()) return;
    settings.x264asked = build;
    if (!dialogs.ask_yes_no("x264", offer.question)) return;
    if (offer.other_dialect) toggle_x264_dialect();
    if (offer.direct_input) toggle_x264_input();
}

void FrontEnd::on_event(Ctl id, Event kind) {
    event = kind;
    const FieldSpec* field = bound_field(control_spec(id));
    if (field) settings::set_field(settings, *field, view.control_value(id));
    // A handler that writes its own field anew (a clamp writing the bound)
    // counts as a new change of that field: its handlers run once more and
    // find it in range.
    for (int round = 0; round < 3; ++round) {
        std::string before = field ? settings::field_text(settings, *field) : "";
        for (const Dispatch& d : dispatch_table()) {
            if (d.control != id) continue;
            if (d.when == When::any || (d.when == When::changed && kind == Event::changed) ||
                (d.when == When::focus_lost && kind == Event::focus_lost))
                d.handler(*this, id);
        }
        if (!field || settings::field_text(settings, *field) == before) break;
        kind = Event::changed;
    }
}

void FrontEnd::toggle_x264_dialect() {
    settings.x264cli = settings::x264_dialects[settings::current_x264(settings) ? 0 : 1].name;
    view.field_changed(settings::spec_of(&settings::Settings::x264cli));
}

void FrontEnd::toggle_x264_input() {
    settings.x264input = settings::x264_inputs[settings::direct_input(settings) ? 0 : 1].name;
    view.field_changed(settings::spec_of(&settings::Settings::x264input));
}

void FrontEnd::on_timer(Timer timer) {
    if (timer == Timer::lower_priority) {
        if (waiting_scripts.empty()) return;
        processes.set_idle_priority(waiting_scripts.front()); // a failure changes nothing
        waiting_scripts.pop_front();
        return;
    }
    for (size_t i = 0; i < running_scripts.size();) {
        if (!processes.has_ended(running_scripts[i].pid)) {
            ++i;
            continue;
        }
        StartedScript ended = std::move(running_scripts[i]);
        running_scripts.erase(running_scripts.begin() + static_cast<long>(i));
        show_running_count();
        dialogs.message("quorbel",
                        script_report(ended.name, ended.jobs, ended.started, os.now(), os));
    }
    if (!running_scripts.empty()) view.start_timer(Timer::watch_scripts, watch_interval_ms);
}

void FrontEnd::watch(uint32_t pid, const std::string& script) {
    running_scripts.push_back({pid, script, os.now(), watched_jobs(jobs, os)});
    if (running_scripts.size() == 1) view.start_timer(Timer::watch_scripts, watch_interval_ms);
    show_running_count();
}

void FrontEnd::show_running_count() {
    size_t n = running_scripts.size();
    view.set_title(n == 0 ? window_title
                          : std::string(window_title) + " - " + std::to_string(n) +
                                (n == 1 ? " script running" : " scripts running"));
}

bool FrontEnd::save_settings_file() {
    std::string path = folder.settings_file();
    if (session::save_settings(settings, path, os)) return true;
    tell_write_failure(path);
    return false;
}

} // namespace ui
