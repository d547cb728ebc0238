// The rules that keep the controls consistent with the settings: enabling,
// showing and captioning controls. They only show states; the corrections
// of the settings themselves (clamps, mirrors) are settings/corrections.h.
// Each rule runs on its control's events and, in a fixed order, after every
// load (show_loaded).
#pragma once

#include "frontend/settings/corrections.h"
#include "frontend/settings/settings.h"
#include "frontend/ui/control_view.h"

namespace ui {

using settings::Settings;

// Captions, enabling and visibility by encode mode (its row in encode_modes.h).
void mode_rules(const Settings& s, ControlView& view);
void partition_rules(const Settings& s, ControlView& view); // a1 -> a5, a2 -> a4
void bframe_rules(const Settings& s, ControlView& view);    // by the count in `mb`
void mixed_refs_rule(const Settings& s, ControlView& view);
void chroma_me_rule(const Settings& s, ControlView& view);
void me_range_rule(const Settings& s, ControlView& view);
void trellis_rule(const Settings& s, ControlView& view);
void audio_bitrate_rule(const Settings& s, ControlView& view);
void audio_unit_caption(const Settings& s, ControlView& view);
void log_file_rule(const Settings& s, ControlView& view);
void aq_rule(const Settings& s, ControlView& view); // `aq1`, `aq2` enabled with `aq`

// The AQ warning, shown when `aq` is ticked by the user with the classic
// lines (every build that takes the current ones has AQ).
bool aq_warning_due(const Settings& s);
constexpr const char* aq_warning_title = "Warning!";
constexpr const char* aq_warning_text = "Only Quillfin's x264 support AQ parameter!";

// A field's control shows its value.
void show_field(ControlView& view, const Settings& s, const settings::FieldSpec& field);
// The controls of the fields a correction changed show their new values.
void show_changed(ControlView& view, const Settings& s, const settings::Changed& changed);

// After a load: every persisted field shown in its control, then every rule
// in its fixed order.
void show_loaded(const Settings& s, ControlView& view);

} // namespace ui
