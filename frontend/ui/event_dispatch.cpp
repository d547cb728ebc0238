#include "frontend/ui/event_dispatch.h"

#include "frontend/ui/control_rules.h"
#include "frontend/ui/handlers.h"
#include "frontend/ui/layout.h"

namespace ui {

namespace {

// A control-state rule as a handler: it reads the settings and sets the controls.
template <auto rule> void apply(FrontEnd& app, Ctl) {
    rule(app.settings, app.view);
}
// A correction of the settings as a handler: the fields it changed are shown.
template <auto correction> void correct(FrontEnd& app, Ctl) {
    show_changed(app.view, app.settings, correction(app.settings));
}
// Clamps the control's own field against its limits.
void clamp(FrontEnd& app, Ctl control) {
    show_changed(app.view, app.settings,
                 settings::clamp(app.settings, bound_field(control_spec(control))->text));
}
void mode(FrontEnd& app, Ctl control) {
    correct<settings::validate_value>(app, control);
    apply<mode_rules>(app, control);
}
void ref(FrontEnd& app, Ctl control) {
    clamp(app, control);
    apply<mixed_refs_rule>(app, control);
}
void bframes(FrontEnd& app, Ctl control) {
    clamp(app, control);
    apply<bframe_rules>(app, control);
}
void motion_search(FrontEnd& app, Ctl control) {
    apply<chroma_me_rule>(app, control);
    apply<me_range_rule>(app, control);
}
// Ticking AQ warns first with the classic lines.
void aq(FrontEnd& app, Ctl control) {
    if (aq_warning_due(app.settings)) app.dialogs.message(aq_warning_title, aq_warning_text);
    apply<aq_rule>(app, control);
}
void matrix(FrontEnd& app, Ctl) {
    app.ask_matrix_file();
}
void cancel(FrontEnd& app, Ctl) {
    app.event.kind = Event::close_request;
}

std::vector<Dispatch> build_table() {
    std::vector<Dispatch> t = {
        {Ctl::deb_a, When::any, correct<settings::deblock_mirrors>},
        {Ctl::deb_b, When::any, correct<settings::deblock_mirrors>},
        {Ctl::biasbar, When::any, correct<settings::bias_from_slider>},
        {Ctl::bias, When::focus_lost, correct<settings::slider_from_bias>},
        {Ctl::value, When::changed, correct<settings::validate_value>},
        {Ctl::mode, When::any, mode},
        {Ctl::size_box, When::any, mode},
        {Ctl::ref, When::any, ref},
        {Ctl::a1, When::any, apply<partition_rules>},
        {Ctl::a2, When::any, apply<partition_rules>},
        {Ctl::mb, When::any, bframes},
        {Ctl::m, When::any, motion_search},
        {Ctl::ms, When::any, motion_search},
        {Ctl::cab, When::any, apply<trellis_rule>},
        {Ctl::aud, When::any, apply<audio_bitrate_rule>},
        {Ctl::ae, When::any, apply<audio_unit_caption>},
        {Ctl::crelog, When::any, apply<log_file_rule>},
        {Ctl::aq, When::any, aq},
        {Ctl::cqm, When::any, matrix},
        {Ctl::stats_button, When::any, stats_file},
        {Ctl::log_button, When::any, log_file},
        {Ctl::input_button, When::any, input_file},
        {Ctl::output_button, When::any, output_file},
        {Ctl::files_input, When::any, files_input},
        {Ctl::load_default, When::any, load_default},
        {Ctl::refresh, When::any, refresh},
        {Ctl::save_config, When::any, save_config},
        {Ctl::load_config, When::any, load_config},
        {Ctl::add, When::any, add},
        {Ctl::job_list, When::any, job_selected},
        {Ctl::view, When::any, view_line},
        {Ctl::up, When::any, line_up},
        {Ctl::down, When::any, line_down},
        {Ctl::edit, When::any, edit_line},
        {Ctl::del, When::any, delete_line},
        {Ctl::disable, When::any, disable_line},
        {Ctl::clear, When::any, clear},
        {Ctl::make_bat, When::any, make_bat},
        {Ctl::start, When::any, start},
        {Ctl::shut, When::any, shut},
        {Ctl::cancel, When::any, cancel},
    };
    for (Ctl c : {Ctl::kfb, Ctl::bfr, Ctl::vbr, Ctl::minqp, Ctl::maxqp, Ctl::qps, Ctl::thr,
                  Ctl::range, Ctl::sct, Ctl::vbs, Ctl::vmb, Ctl::vib, Ctl::bv})
        t.push_back({c, When::any, clamp});
    return t;
}

} // namespace

const std::vector<Dispatch>& dispatch_table() {
    static const std::vector<Dispatch> table = build_table();
    return table;
}

} // namespace ui
