#include "frontend/ui/front_end.h"

#include "frontend/app/session.h"
#include "frontend/ui/event_dispatch.h"
#include "frontend/ui/handlers.h"
#include "frontend/ui/layout.h"
#include "frontend/ui/post_load.h"

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
      view(view), dialogs(dialogs), program_folder(std::move(program_folder)) {}

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
    bool own_include = app::provide_default_include(os, program_folder);
    refresh(*this, Ctl::refresh);
    if (own_include) {
        settings.avsinc = "default"; // a load that names no other include keeps it
        view.field_changed(settings::spec_of(&settings::Settings::avsinc));
    }

    RulesOnLoad rules(view);
    app::start_up_load(settings, app::settings_file(program_folder), {os, rules, program_folder});
    check_toolchain();
}

void FrontEnd::check_toolchain() {
    x264 = find_x264(tools, program_folder);
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
    settings.x264cli = settings::x264_dialect_names[settings::current_x264(settings) ? 0 : 1];
    view.field_changed(settings::spec_of(&settings::Settings::x264cli));
}

void FrontEnd::toggle_x264_input() {
    settings.x264input = settings::x264_input_names[settings::direct_input(settings) ? 0 : 1];
    view.field_changed(settings::spec_of(&settings::Settings::x264input));
}

void FrontEnd::on_timer() {
    if (waiting_scripts.empty()) return;
    processes.set_idle_priority(waiting_scripts.front()); // a failure changes nothing
    waiting_scripts.pop_front();
}

bool FrontEnd::save_settings_file() {
    return settings::save_settings(settings, app::settings_file(program_folder), os);
}

} // namespace ui
