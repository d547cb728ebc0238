#include "frontend/ui/post_load.h"

#include "frontend/ui/control_rules.h"

namespace ui {

using settings::Settings;

void post_load_pass(Settings& s, ControlView& view) {
    deblock_mirrors(s, view);
    slider_from_bias(s, view);
    mode_rules(s, view);
    for (auto field : {&Settings::kfb, &Settings::bfr, &Settings::vbr, &Settings::minqp,
                       &Settings::maxqp, &Settings::qps})
        clamp_field(s, field, view);
    partition_rules(s, view);
    bframe_rules(s, view);
    clamp_field(s, &Settings::ref, view);
    mixed_refs_rule(s, view);
    clamp_field(s, &Settings::thr, view);
    chroma_me_rule(s, view);
    me_range_rule(s, view);
    clamp_field(s, &Settings::range, view);
    trellis_rule(s, view);
    clamp_field(s, &Settings::sct, view);
    audio_bitrate_rule(s, view);
    if (s.cqm == "custom...") matrix_file_question(s, view);
    log_file_rule(s, view);
    audio_unit_caption(s, view);
    for (auto field : {&Settings::vbs, &Settings::vmb, &Settings::vib, &Settings::bv})
        clamp_field(s, field, view);
    aq_rule(s, view, false);
}

void RulesOnLoad::audio_flag_read(const Settings& s) {
    audio_bitrate_rule(s, view_);
}

void RulesOnLoad::log_flag_read(const Settings& s) {
    log_file_rule(s, view_);
}

void RulesOnLoad::loaded(Settings& s) {
    for (const settings::FieldSpec& f : settings::schema())
        if (f.persisted) view_.field_changed(f);
    post_load_pass(s, view_);
}

} // namespace ui
