#include "frontend/ui/control_rules.h"

#include <initializer_list>

#include "frontend/settings/text_number.h"

namespace ui {

using settings::decimal;
using settings::integer_value;
using settings::spec_of;

namespace {

void enable_all(ControlView& view, std::initializer_list<Ctl> controls, bool enabled) {
    for (Ctl c : controls) view.enable(c, enabled);
}

void show_all(ControlView& view, std::initializer_list<Ctl> controls, bool shown) {
    for (Ctl c : controls) view.show(c, shown);
}

void set_text(Settings& s, std::string Settings::*field, const std::string& text,
              ControlView& view) {
    s.*field = text;
    view.field_changed(spec_of(field));
}

} // namespace

void validate_value(Settings& s, ControlView& view) {
    if (s.sizemode != 0) return;
    bool low_range = s.mode == 1 || s.mode == 2;
    if (settings::clamp_text(s.value, {true, 0, low_range ? 51.0 : 8000.0, false}))
        view.field_changed(spec_of(&Settings::value));
}

void mode_rules(Settings& s, ControlView& view) {
    const auto rate_fields = {Ctl::vbr, Ctl::minqp, Ctl::maxqp, Ctl::qps,
                              Ctl::vbs, Ctl::vmb,   Ctl::vib};
    if (settings::is_quantizer_mode(s.mode)) {
        view.set_caption(Ctl::value_caption, "Quantizer");
        view.set_caption(Ctl::range_hint, "Range 0~51");
        validate_value(s, view);
        enable_all(view, rate_fields, false);
        view.enable(Ctl::bv, false);
        if (s.mode != 1) enable_all(view, rate_fields, true);
        view.show(Ctl::size_box, false);
    } else {
        view.set_caption(Ctl::value_caption, s.sizemode == 0 ? "Average Bitrate" : "Size in MB");
        view.set_caption(Ctl::range_hint, s.sizemode == 0 ? "Range 0~8000" : "");
        validate_value(s, view);
        enable_all(view, {Ctl::vbr, Ctl::minqp, Ctl::maxqp, Ctl::qps, Ctl::kfb, Ctl::bfr}, true);
        view.show(Ctl::size_box, true);
        enable_all(view, {Ctl::vbs, Ctl::vmb, Ctl::vib, Ctl::bv}, true);
    }
    enable_all(view, {Ctl::upstat, Ctl::statsname, Ctl::stats_button}, s.mode > 2);
    show_all(view, {Ctl::auto1pcrf, Ctl::crf_caption}, s.mode > 9 && s.mode != 12);
    bool size_rows = s.mode == 13;
    view.show(Ctl::logo, !size_rows);
    show_all(view, {Ctl::minsize, Ctl::maxsize, Ctl::minsize_caption, Ctl::maxsize_caption},
             size_rows);
}

void clamp_field(Settings& s, std::string Settings::*field, ControlView& view) {
    const settings::FieldSpec& field_spec = spec_of(field);
    if (settings::clamp_text(s.*field, field_spec.limits)) view.field_changed(field_spec);
}

void partition_rules(const Settings& s, ControlView& view) {
    view.enable(Ctl::a5, s.a1 == 1);
    view.enable(Ctl::a4, s.a2 == 1);
}

void bframe_rules(Settings& s, ControlView& view) {
    clamp_field(s, &Settings::mb, view);
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
    view.set_caption(Ctl::aub_unit, s.ae > 5 ? "Quality" : "Kbps");
}

void log_file_rule(const Settings& s, ControlView& view) {
    enable_all(view, {Ctl::logname, Ctl::log_button}, s.crelog == 1);
}

void aq_rule(const Settings& s, ControlView& view, bool warn_user) {
    // Every build that takes the "current" lines has AQ; only the classic
    // lines ask for a patched x264.
    if (s.aq == 1 && warn_user && !settings::current_x264(s))
        view.warn("Warning!", "Only Quillfin's x264 support AQ parameter!");
    enable_all(view, {Ctl::aq1, Ctl::aq2}, s.aq == 1);
}

void deblock_mirrors(Settings& s, ControlView& view) {
    set_text(s, &Settings::fa, decimal(s.deb_a - 6), view);
    set_text(s, &Settings::fb, decimal(s.deb_b - 6), view);
}

void bias_from_slider(Settings& s, ControlView& view) {
    set_text(s, &Settings::bias, decimal(s.biasbar - 100), view);
}

void slider_from_bias(Settings& s, ControlView& view) {
    // The slider stops at its ends; the field keeps its text.
    long long pos = static_cast<long long>(integer_value(s.bias)) + 100;
    s.biasbar = pos < 0 ? 0 : pos > 200 ? 200 : static_cast<int>(pos);
    view.field_changed(spec_of(&Settings::biasbar));
}

void matrix_file_question(Settings& s, ControlView& view) {
    std::optional<std::string> path = view.ask_matrix_file();
    set_text(s, &Settings::cqm, path ? "\"" + *path + "\"" : "flat", view);
}

} // namespace ui
