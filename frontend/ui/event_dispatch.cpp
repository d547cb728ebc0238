#include "frontend/ui/event_dispatch.h"

#include "frontend/ui/control_rules.h"
#include "frontend/ui/handlers.h"
#include "frontend/ui/layout.h"

namespace ui {

namespace {

using settings::Settings;

void deblock(FrontEnd& app, Ctl) {
    deblock_mirrors(app.settings, app.view);
}
void bias_mirror(FrontEnd& app, Ctl) {
    bias_from_slider(app.settings, app.view);
}
void bias_slider(FrontEnd& app, Ctl) {
    slider_from_bias(app.settings, app.view);
}
void value(FrontEnd& app, Ctl) {
    validate_value(app.settings, app.view);
}
void mode(FrontEnd& app, Ctl) {
    mode_rules(app.settings, app.view);
}
// Clamps the control's own field against its limits.
void clamp(FrontEnd& app, Ctl control) {
    clamp_field(app.settings, bound_field(control_spec(control))->text, app.view);
}
void ref(FrontEnd& app, Ctl control) {
    clamp(app, control);
    mixed_refs_rule(app.settings, app.view);
}
void partitions(FrontEnd& app, Ctl) {
    partition_rules(app.settings, app.view);
}
void bframes(FrontEnd& app, Ctl) {
    bframe_rules(app.settings, app.view);
}
void motion_search(FrontEnd& app, Ctl) {
    chroma_me_rule(app.settings, app.view);
    me_range_rule(app.settings, app.view);
}
void trellis(FrontEnd& app, Ctl) {
    trellis_rule(app.settings, app.view);
}
void audio_bitrate(FrontEnd& app, Ctl) {
    audio_bitrate_rule(app.settings, app.view);
}
void audio_unit(FrontEnd& app, Ctl) {
    audio_unit_caption(app.settings, app.view);
}
void log_rule(FrontEnd& app, Ctl) {
    log_file_rule(app.settings, app.view);
}
void aq(FrontEnd& app, Ctl) {
    aq_rule(app.settings, app.view, true);
}
void matrix(FrontEnd& app, Ctl) {
    if (app.settings.cqm == "custom...") matrix_file_question(app.settings, app.view);
}
void cancel(FrontEnd& app, Ctl) {
    app.event = Event::close_request;
}

std::vector<Dispatch> build_table() {
    std::vector<Dispatch> t = {
        {Ctl::deb_a, When::any, deblock},
        {Ctl::deb_b, When::any, deblock},
        {Ctl::biasbar, When::any, bias_mirror},
        {Ctl::bias, When::focus_lost, bias_slider},
        {Ctl::value, When::changed, value},
        {Ctl::mode, When::any, mode},
        {Ctl::size_box, When::any, mode},
        {Ctl::ref, When::any, ref},
        {Ctl::a1, When::any, partitions},
        {Ctl::a2, When::any, partitions},
        {Ctl::mb, When::any, bframes},
        {Ctl::m, When::any, motion_search},
        {Ctl::ms, When::any, motion_search},
        {Ctl::cab, When::any, trellis},
        {Ctl::aud, When::any, audio_bitrate},
        {Ctl::ae, When::any, audio_unit},
        {Ctl::crelog, When::any, log_rule},
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
