// The rules that keep the controls consistent with the settings: enabling,
// showing and captioning controls, mirroring sliders and clamping fields.
// Each runs on its control's events and, in a fixed order, after every load.
#pragma once

#include <string>

#include "frontend/settings/settings.h"
#include "frontend/ui/control_view.h"

namespace ui {

using settings::Settings;

// Mode rules: captions, enabling and visibility by encode mode; re-validates `value`.
void mode_rules(Settings& s, ControlView& view);
// Clamps `value` by mode (0..51 in modes 1 and 2, else 0..8000) while `sizemode` is 0.
void validate_value(Settings& s, ControlView& view);
// Clamps a text field against its limits from the schema.
void clamp_field(Settings& s, std::string Settings::*field, ControlView& view);

void partition_rules(const Settings& s, ControlView& view); // a1 -> a5, a2 -> a4
void bframe_rules(Settings& s, ControlView& view);          // clamps `mb`, then enables
void mixed_refs_rule(const Settings& s, ControlView& view);
void chroma_me_rule(const Settings& s, ControlView& view);
void me_range_rule(const Settings& s, ControlView& view);
void trellis_rule(const Settings& s, ControlView& view);
void audio_bitrate_rule(const Settings& s, ControlView& view);
void audio_unit_caption(const Settings& s, ControlView& view);
void log_file_rule(const Settings& s, ControlView& view);
// With `warn_user`, ticking shows the AQ warning first (not on a load, and
// not with the lines for current x264).
void aq_rule(const Settings& s, ControlView& view, bool warn_user);

// Slider mirrors.
void deblock_mirrors(Settings& s, ControlView& view);  // fa, fb from deb-a, deb-b
void bias_from_slider(Settings& s, ControlView& view); // bias from biasbar
void slider_from_bias(Settings& s, ControlView& view); // biasbar from bias

// "custom..." in `cqm` asks for a matrix file: its path in double quotes, or "flat".
void matrix_file_question(Settings& s, ControlView& view);

} // namespace ui
