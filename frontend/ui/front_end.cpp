#include "frontend/ui/front_end.h"

#include <algorithm>

#include "frontend/commands/batch_script.h"
#include "frontend/settings/choices.h"
#include "frontend/settings/corrections.h"
#include "frontend/ui/control_rules.h"
#include "frontend/ui/event_dispatch.h"
#include "frontend/ui/handlers.h"
#include "frontend/ui/layout.h"
#include "frontend/ui/running_record.h"

namespace ui {

using settings::FieldSpec;

FrontEnd::FrontEnd(Services services, ControlView& view, Dialogs& dialogs,
                   std::string program_folder)
    : services(services), view(view), dialogs(dialogs), folder{std::move(program_folder)},
      queue(services.os, folder.job_list_file()), scripts(services.os, services.processes) {}

void FrontEnd::start() {
    show_start();
    finish_start();
}

void FrontEnd::show_start() {
    // The fixed lists with their start items and every field as it stands;
    // the load then shows the settings and every rule in its fixed order.
    for (const ControlSpec& c : layout()) {
        std::vector<std::string> items = fixed_items(c);
        if (!items.empty()) view.set_items(c.id, items);
    }
    for (const FieldSpec& f : settings::schema()) show(f);
    session::StartUp up = session::start_up(services.os, folder);
    show_lists(up.configurations, up.includes); // the first include script is chosen
    load_settings_file();
}

void FrontEnd::finish_start() {
    if (finished_start_) return;
    finished_start_ = true;
    load_job_list();
    resume_stopped_queue();
    check_toolchain();
}

void FrontEnd::show(const FieldSpec& field) {
    show_field(view, settings, field);
}

session::SettingsFolder FrontEnd::settings_folder() {
    return session::settings_folder(services.os, folder, includes);
}

void FrontEnd::show_lists(const std::vector<std::string>& configurations,
                          const std::vector<std::string>& include_list) {
    view.set_items(Ctl::cfgname, configurations);
    settings.cfgname.clear();
    show(settings::spec_of(&settings::Settings::cfgname));
    includes = include_list;
    view.set_items(Ctl::avsinc, includes);
    // The choice stays when it is still listed, else the first is chosen.
    settings::choose_include(settings, includes);
    show(settings::spec_of(&settings::Settings::avsinc));
}

void FrontEnd::loaded() {
    show_loaded(settings, view);
    ask_matrix_file();
}

void FrontEnd::ask_matrix_file() {
    if (settings.cqm != "custom...") return;
    std::optional<std::string> chosen = dialogs.open_file({"Select a matrix file", "", "*.*|*.*"});
    show_changed(view, settings, settings::take_matrix_file(settings, chosen));
}

void FrontEnd::load_settings_file() {
    std::string path = folder.settings_file();
    session::Loaded load = session::load_settings(settings, path, settings_folder());
    loaded();
    if (load.set_aside_as)
        dialogs.message("quorbel", session::held_no_settings(path, *load.set_aside_as) +
                                       " The built-in defaults are used.");
}

void FrontEnd::load_job_list() {
    if (std::optional<std::string> told = queue.load()) dialogs.message("quorbel", *told);
    view.show_jobs(queue.lines, 0, queue.selected);
}

void FrontEnd::jobs_changed(size_t first) {
    view.show_jobs(queue.lines, first, queue.selected);
    if (std::optional<std::string> told = queue.keep()) dialogs.message("quorbel", *told);
}

void FrontEnd::tell_write_failure(const std::string& path) {
    dialogs.message("quorbel", "Cannot write " + path + ": " + services.os.last_error());
}

const std::optional<FoundX264>& FrontEnd::current_x264() {
    if (!x264) x264 = session::find_x264(services.tools, folder.path, settings.x264help);
    return x264;
}

void FrontEnd::check_toolchain() {
    x264 = session::find_x264(services.tools, folder.path, settings.x264help);
    if (!x264) {
        // Told once for the folder, until an x264.exe is found again.
        if (settings.x264asked == "none") return;
        settings.x264asked = "none";
        dialogs.message("x264", missing_x264_note(folder.path));
        return;
    }
    settings.x264help = commands::abilities_text(x264->build, x264->abilities);
    // Asked once for each build seen, whatever the answer.
    std::string build = std::to_string(x264->build);
    if (settings.x264asked == build) return;
    ToolchainOffer offer = toolchain_offer(settings, *x264, services.tools.avisynth_installed());
    if (offer.question.empty()) return;
    settings.x264asked = build;
    if (!dialogs.ask_yes_no("x264", offer.question)) return;
    if (offer.other_dialect) toggle_x264_dialect();
    if (offer.own_threads) {
        settings.thr = "0"; // "--threads auto"
        show(settings::spec_of(&settings::Settings::thr));
    }
    if (offer.direct_input) toggle_x264_input();
}

void FrontEnd::on_event(Ctl id, Event kind, const std::string& text) {
    event = {kind, text};
    const FieldSpec* field = bound_field(control_spec(id));
    if (field) settings::set_field(settings, *field, text);
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

void FrontEnd::files_dropped(const std::vector<std::string>& paths) {
    ui::files_dropped(*this, paths);
}

void FrontEnd::toggle_x264_dialect() {
    settings.x264cli = settings::x264_dialects[settings::current_x264(settings) ? 0 : 1].name;
    show(settings::spec_of(&settings::Settings::x264cli));
}

void FrontEnd::toggle_x264_input() {
    settings.x264input = settings::x264_inputs[settings::direct_input(settings) ? 0 : 1].name;
    show(settings::spec_of(&settings::Settings::x264input));
}

void FrontEnd::set_jobs_at_once(int count) {
    const int most = static_cast<int>(services.os.processors());
    settings.jobsatonce = std::max(1, std::min(count, most));
    show(settings::spec_of(&settings::Settings::jobsatonce));
}

size_t FrontEnd::jobs_at_once() {
    return static_cast<size_t>(std::max(
        1, std::min<int>(settings.jobsatonce, static_cast<int>(services.os.processors()))));
}

void FrontEnd::on_timer(Timer timer) {
    if (timer == Timer::lower_priority) {
        if (std::optional<uint32_t> pid = scripts.take_waiting())
            services.processes.set_idle_priority(*pid); // a failure changes nothing
        return;
    }
    scripts.follow();
    std::vector<ScriptWatch::Ended> ended = scripts.look();
    view.set_title(scripts.title());
    view.set_progress(scripts.fraction());
    if (!ended.empty()) keep_running_record();
    for (const ScriptWatch::Ended& e : ended) {
        // Each job that produced its file is marked done in the list.
        size_t marked = 0;
        for (const WatchedJob& job : e.script.jobs)
            if (produced(job, e.script.started, e.ended, services.os) &&
                mark_done(queue.lines, job.lines))
                ++marked;
        if (marked > 0) jobs_changed(0);
        dialogs.message("quorbel", script_report(e.script.name, e.script.jobs, e.script.started,
                                                 e.ended, services.os, marked));
    }
    if (scripts.watching()) view.start_timer(Timer::watch_scripts, watch_interval_ms);
}

void FrontEnd::watch(uint32_t pid, const std::string& script, const commands::JobList& lines) {
    bool first = !scripts.watching();
    scripts.started(pid, script, lines, measured_frames,
                    services.processes.created(pid).value_or(0));
    keep_running_record();
    view.start_timer(Timer::lower_priority, idle_delay_ms);
    if (first) view.start_timer(Timer::watch_scripts, watch_interval_ms);
    view.set_title(scripts.title());
}

bool FrontEnd::save_settings_file() {
    std::string path = folder.settings_file();
    if (session::save_settings(settings, path, services.os)) return true;
    tell_write_failure(path);
    return false;
}

void FrontEnd::keep_running_record() {
    const std::string path = folder.running_record_file();
    std::vector<RecordedScript> record;
    for (const WatchedScript& s : scripts.running()) {
        RecordedScript r{s.name, s.pid, s.created, s.started, {}};
        for (const WatchedJob& job : s.jobs) r.jobs.push_back({job.log_from, job.lines});
        record.push_back(std::move(r));
    }
    if (record.empty()) {
        if (services.os.file_exists(path)) services.os.delete_file(path);
        return;
    }
    if (!services.os.write_file(path, running_record_text(record))) tell_write_failure(path);
}

void FrontEnd::resume_stopped_queue() {
    platform::Os& os = services.os;
    const std::string path = folder.running_record_file();
    if (!os.file_exists(path)) return;
    std::optional<std::string> bytes = os.read_file(path);
    std::optional<std::vector<RecordedScript>> record =
        bytes ? read_running_record(*bytes) : std::nullopt;
    if (!record) {
        // Nothing can be learnt from it, and nothing it names is touched.
        std::string kept = os.set_aside(path).value_or(path);
        dialogs.message("quorbel", path + " is damaged and was not read; it is kept as " + kept +
                                       ". No job is marked done from it.");
        return;
    }
    size_t jobs = 0, finished = 0, resumed = 0;
    bool watching = false;
    const int64_t now = os.now();
    for (RecordedScript& r : *record) {
        WatchedScript w{r.pid, r.name, r.started, {}, r.created};
        for (RecordedJob& j : r.jobs) w.jobs.push_back(recorded_job(j.lines, j.log_from));
        if (services.processes.watch_again(r.pid, r.created)) {
            scripts.watch_again(std::move(w));
            watching = true;
            continue;
        }
        // A script stopped before its last line leaves itself and its
        // environment file behind; the last job it had begun may have been
        // cut short, whatever file it left (x264 killed midway leaves a
        // partial video), while the jobs before it ran to their end.
        const bool stopped = os.file_exists(folder.path + r.name);
        // The script was written just before it started: what is older
        // than it was not written by its jobs, whatever start the record
        // states.
        if (std::optional<platform::FileInfo> script = os.file_info(folder.path + r.name))
            w.started = std::max(w.started, script->modified);
        size_t cut = w.jobs.size(); // none
        for (size_t j = w.jobs.size(); stopped && j-- > 0;)
            if (touched(w.jobs[j], w.started, os)) {
                cut = j;
                break;
            }
        for (const std::string& left : {r.name, commands::environment_of(r.name) + ".bat"})
            if (os.file_exists(folder.path + left)) os.delete_file(folder.path + left);
        for (size_t j = 0; j < w.jobs.size(); ++j) {
            const WatchedJob& job = w.jobs[j];
            ++jobs;
            if (j != cut && produced(job, w.started, now, os)) {
                finished += mark_done(queue.lines, job.lines);
                continue;
            }
            // A first pass that ended leaves its stats file under its own
            // name, written during the run: the job goes on from its next
            // pass, if the first wrote no part of the job's video.
            if (job.passes < 2) continue;
            for (size_t i = 0; i < job.lines.size(); ++i) {
                if (!commands::runs_x264(job.lines[i])) continue;
                std::optional<std::string> stats = commands::stats_file(job.lines[i]);
                std::optional<platform::FileInfo> info =
                    stats && commands::is_first_pass(job.lines[i]) &&
                            !commands::written_file(job.lines[i])
                        ? os.file_info(*stats)
                        : std::nullopt;
                if (info && info->modified >= w.started &&
                    mark_line_done(queue.lines, job.lines, i))
                    ++resumed;
                break;
            }
        }
    }
    keep_running_record();
    if (finished + resumed > 0) jobs_changed(0);
    if (watching) {
        view.start_timer(Timer::watch_scripts, watch_interval_ms);
        view.set_title(scripts.title());
    }
    if (jobs == 0) return;
    std::string told = std::to_string(finished) + " of " + std::to_string(jobs) +
                       (jobs == 1 ? " job" : " jobs") + " had finished before quorbel stopped";
    if (finished == 0)
        told += ". Start runs " + std::string(jobs == 1 ? "it" : "them") + " again.";
    else
        told +=
            std::string("; ") + (finished == 1 ? "it is" : "they are") + " marked done." +
            (finished == jobs ? ""
                              : " Start runs the other " + std::to_string(jobs - finished) + ".");
    if (resumed > 0)
        told += " " + std::to_string(resumed) + (resumed == 1 ? " of them goes" : " of them go") +
                " on from its second pass: the first had ended.";
    dialogs.message("quorbel", told);
}

} // namespace ui
