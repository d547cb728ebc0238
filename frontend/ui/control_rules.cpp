#include "frontend/ui/control_rules.h"

#include <initializer_list>

#include "frontend/settings/choices.h"
#include "frontend/settings/encode_modes.h"
#include "frontend/settings/text_number.h"

namespace ui {

using settings::integer_value;

namespace {

void enable_all(ControlView& view, std::initializer_list<Ctl> controls, bool enabled) {
    for (Ctl c : controls) view.enable(c, enabled);
}

void show_all(ControlView& view, std::initializer_list<Ctl> controls, bool shown) {
    for (Ctl c : controls) view.show(c, shown);
}

} // namespace

void mode_rules(const Settings& s, ControlView& view) {
    const settings::ModeSpec& mode = settings::mode_spec(s.mode);
    if (mode.quantizer) {
        view.set_caption(Ctl::value_caption, "Quantizer");
        view.set_caption(Ctl::range_hint, "Range 0~51");
        view.show(Ctl::size_box, false);
    } else {
        view.set_caption(Ctl::value_caption, s.sizemode == 0 ? "Average Bitrate" : "Size in MB");
        view.set_caption(Ctl::range_hint, s.sizemode == 0 ? "Range 0~8000" : "");
        enable_all(view, {Ctl::kfb, Ctl::bfr}, true);
        view.show(Ctl::size_box, true);
    }
    enable_all(view, {Ctl::vbr, Ctl::minqp, Ctl::maxqp, Ctl::qps, Ctl::vbs, Ctl::vmb, Ctl::vib},
               mode.rate_fields);
    view.enable(Ctl::bv, !mode.quantizer);
    enable_all(view, {Ctl::upstat, Ctl::statsname, Ctl::stats_button}, mode.stats_file);
    show_all(view, {Ctl::auto1pcrf, Ctl::crf_caption}, mode.auto_crf);
    view.show(Ctl::logo, !mode.size_rows);
    show_all(view, {Ctl::minsize, Ctl::maxsize, Ctl::minsize_caption, Ctl::maxsize_caption},
             mode.size_rows);
}

void partition_rules(const Settings& s, ControlView& view) {
    view.enable(Ctl::a5, s.a1 == 1);
    view.enable(Ctl::a4, s.a2 == 1);
}

void bframe_rules(const Settings& s, ControlView& view) {
    int n = integer_value(s.mb);
    enable_all(view, {Ctl::a3, Ctl::dm, Ctl::biasbar, Ctl::bias, Ctl::bme, Ctl::ba}, n != 0);
    enable_all(view, {Ctl::bref, Ctl::bwb}, n != 0 && n != 1);
}

void mixed_refs_rule(const Settings& s, ControlView& view) {
    view.enable(Ctl::mxref, integer_value(s.ref) > 1);
}

void chroma_me_rule(const Settings& s, ControlView& view) {
    view.enable(Ctl::cme, s.m > 3);
}

void me_range_rule(const Settings& s, ControlView& view) {
    view.enable(Ctl::range, s.ms > 1);
}

void trellis_rule(const Settings& s, ControlView& view) {
    view.enable(Ctl::trellis_caption, s.cab != 0);
}

void audio_bitrate_rule(const Settings& s, ControlView& view) {
    view.enable(Ctl::aub, s.aud == 1);
}

void audio_unit_caption(const Settings& s, ControlView& view) {
    const settings::AudioEncoder* e = settings::entry(settings::audio_encoders, s.ae);
    view.set_caption(Ctl::aub_unit, e ? e->unit : "Kbps");
}

void log_file_rule(const Settings& s, ControlView& view) {
    enable_all(view, {Ctl::logname, Ctl::log_button}, s.crelog == 1);
}

void aq_rule(const Settings& s, ControlView& view) {
    enable_all(view, {Ctl::aq1, Ctl::aq2}, s.aq == 1);
}

bool aq_warning_due(const Settings& s) {
    return s.aq == 1 && !settings::current_x264(s);
}

void show_field(ControlView& view, const Settings& s, const settings::FieldSpec& field) {
    view.show_field(field, settings::field_text(s, field));
}

void show_changed(ControlView& view, const Settings& s, const settings::Changed& changed) {
    for (const settings::FieldSpec* f : changed) show_field(view, s, *f);
}

void show_loaded(const Settings& s, ControlView& view) {
    for (const settings::FieldSpec& f : settings::schema())
        if (f.persisted) show_field(view, s, f);
    show_field(view, s, settings::spec_of(&Settings::biasbar));
    mode_rules(s, view);
    partition_rules(s, view);
    bframe_rules(s, view);
    mixed_refs_rule(s, view);
    chroma_me_rule(s, view);
    me_range_rule(s, view);
    trellis_rule(s, view);
    audio_bitrate_rule(s, view);
    log_file_rule(s, view);
    audio_unit_caption(s, view);
    aq_rule(s, view);
}

} // namespace ui
